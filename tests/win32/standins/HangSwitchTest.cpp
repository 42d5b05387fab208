#include <gtest/gtest.h>

#include <optional>
#include <ostream>
#include <string>

#include "Remote.h"
#include "StandinProcess.h"

namespace tarvik::standins::testing {
namespace {

struct Program {
  const wchar_t* exe;
  const wchar_t* main_class;
};

// Names the case in test names and messages.
void PrintTo(const Program& program, std::ostream* out) {
  for (const wchar_t* c = program.exe; *c; ++c) *out << static_cast<char>(*c);
}

class HangSwitch : public ::testing::TestWithParam<Program> {};

constexpr DWORD kAnswerWithinMs = 1000;

TEST_P(HangSwitch, WithoutItTheWindowAnswers) {
  auto process = StandinProcess::Start(GetParam().exe);
  ASSERT_TRUE(process);
  HWND window = process->WaitForWindow(GetParam().main_class);
  ASSERT_TRUE(window);
  EXPECT_TRUE(Answers(window, kAnswerWithinMs));
}

TEST_P(HangSwitch, WithItTheWindowsAreThereButDoNotAnswer) {
  auto process = StandinProcess::Start(GetParam().exe, L"--hang-after-start");
  ASSERT_TRUE(process);
  HWND window = process->WaitForWindow(GetParam().main_class);
  ASSERT_TRUE(window) << "the windows are shown before the thread stops";
  // The thread pumps its first messages for a moment before it stops.
  Sleep(1000);
  EXPECT_FALSE(Answers(window, kAnswerWithinMs));
}

INSTANTIATE_TEST_SUITE_P(Standins, HangSwitch,
                         ::testing::Values(Program{L"routeeditor.exe", L"TrainSim"},
                                           Program{L"mosaic.exe", L"MosaicStandinFrame"},
                                           Program{L"usaphotomaps.exe", L"USAPhotoMaps"}),
                         [](const ::testing::TestParamInfo<Program>& info) {
                           const std::wstring exe = info.param.exe;
                           return std::string(exe.begin(), exe.begin() + exe.find(L'.'));
                         });

TEST(HangSwitchTimed, TheWindowAnswersAgainAfterTheGivenSeconds) {
  auto process = StandinProcess::Start(L"mosaic.exe", L"--hang-after-start=2");
  ASSERT_TRUE(process);
  HWND window = process->WaitForWindow(L"MosaicStandinFrame");
  ASSERT_TRUE(window);
  Sleep(700);
  EXPECT_FALSE(Answers(window, 300));
  EXPECT_TRUE(WaitUntil([&] { return Answers(window, 200); }, milliseconds(5000)));
}

}  // namespace
}  // namespace tarvik::standins::testing
