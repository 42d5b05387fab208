#include "app/StartArguments.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace tarvik::app {
namespace {

struct Case {
  const char* what;
  std::vector<std::string> arguments;
  std::optional<std::string> file;
};

TEST(StartArguments, TheFirstNonBlankArgumentAfterTheProgramIsTheFile) {
  const std::string program = "C:\\Tools\\Tarvik\\tarvik.exe";
  const Case cases[] = {
      {"nothing at all", {}, std::nullopt},
      {"the program alone", {program}, std::nullopt},
      {"one file", {program, "C:\\Routes\\pass.mkr"}, "C:\\Routes\\pass.mkr"},
      {"spaces and non-ANSI letters stay whole",
       {program, "C:\\My Routes\\\xD0\x9C\xD0\xB0\xD1\x80\xD1\x88\xD1\x80\xD1\x83\xD1\x82.mkr"},
       "C:\\My Routes\\\xD0\x9C\xD0\xB0\xD1\x80\xD1\x88\xD1\x80\xD1\x83\xD1\x82.mkr"},
      {"several: the first", {program, "a.mkr", "b.mkr", "c.mkr"}, "a.mkr"},
      {"blank arguments name nothing", {program, "", "  ", "\t", "b.mkr"}, "b.mkr"},
      {"only blank ones", {program, "", " "}, std::nullopt},
      {"a relative path is kept for the caller to complete", {program, "..\\x.mkr"}, "..\\x.mkr"},
      {"the program's own path is never the file", {"pass.mkr"}, std::nullopt},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(FileToOpenAtStart(c.arguments), c.file) << c.what;
  }
}

}  // namespace
}  // namespace tarvik::app
