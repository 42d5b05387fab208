#include "app/StartArguments.h"

#include <algorithm>

namespace tarvik::app {

namespace {

// A quoted "" or " " from a script names no file.
bool IsBlank(const std::string& argument) {
  return std::all_of(argument.begin(), argument.end(),
                     [](char c) { return c == ' ' || c == '\t'; });
}

}  // namespace

std::optional<std::string> FileToOpenAtStart(const std::vector<std::string>& arguments) {
  if (arguments.empty()) return std::nullopt;
  auto file = std::find_if(arguments.begin() + 1, arguments.end(),
                           [](const std::string& argument) { return !IsBlank(argument); });
  if (file == arguments.end()) return std::nullopt;
  return *file;
}

}  // namespace tarvik::app
