#include <gtest/gtest.h>

#include <stdexcept>

#include "app/win32/WindowClasses.h"
#include "bench/ChildProgram.h"
#include "bench/MinimalWindow.h"

namespace tarvik::bench {
namespace {

constexpr const wchar_t* kProbeClass = L"BenchProbeWindow";
constexpr double kTimeoutMs = 20000;

std::wstring Built(const wchar_t* file) {
  return PathBesideThisProgram(std::wstring(BENCH_BIN_FROM_TESTS) + L"/" + file);
}

HWND CreateProbe(HWND parent, DWORD style) {
  WNDCLASSW cls{};
  cls.lpfnWndProc = &DefWindowProcW;
  cls.hInstance = GetModuleHandleW(nullptr);
  cls.lpszClassName = kProbeClass;
  RegisterClassW(&cls);
  return CreateWindowExW(0, kProbeClass, L"", style, 0, 0, 50, 50, parent, nullptr,
                         GetModuleHandleW(nullptr), nullptr);
}

using UniqueHwnd = platform::win32::UniqueHwnd;

TEST(FindVisibleWindowTest, FindsTheProcesssTopLevelWindowOnlyOnceShown) {
  UniqueHwnd probe(CreateProbe(nullptr, WS_POPUP));
  DWORD self = GetCurrentProcessId();
  EXPECT_EQ(FindVisibleWindow(self, kProbeClass), nullptr);
  ShowWindow(probe.get(), SW_SHOWNOACTIVATE);
  EXPECT_EQ(FindVisibleWindow(self, kProbeClass), probe.get());
  EXPECT_EQ(FindVisibleWindow(self, L"benchprobewindow"), probe.get());
  EXPECT_EQ(FindVisibleWindow(self, L"OtherClass"), nullptr);
  EXPECT_EQ(FindVisibleWindow(self + 4, kProbeClass), nullptr);
}

TEST(FindVisibleWindowTest, IgnoresChildWindowsOfTheClass) {
  UniqueHwnd parent(CreateWindowExW(0, L"STATIC", L"", WS_POPUP | WS_VISIBLE, 0, 0, 80, 80, nullptr,
                                    nullptr, GetModuleHandleW(nullptr), nullptr));
  UniqueHwnd child(CreateProbe(parent.get(), WS_CHILD | WS_VISIBLE));
  ASSERT_TRUE(IsWindowVisible(child.get()));
  EXPECT_EQ(FindVisibleWindow(GetCurrentProcessId(), kProbeClass), nullptr);
}

TEST(StopwatchTest, CountsMillisecondsSinceRestart) {
  Stopwatch clock;
  Sleep(50);
  double first = clock.ElapsedMs();
  EXPECT_GE(first, 45);
  EXPECT_LT(first, 5000);
  clock.Restart();
  EXPECT_LT(clock.ElapsedMs(), first);
}

TEST(ChildProgramTest, MinimalWindowShowsItsWindowAndClosesPolitely) {
  Stopwatch clock;
  ChildProgram program(Built(L"minimal_window.exe"), clock);
  WindowTimes times = WaitForWindow(program, kMinimalClass, nullptr, clock, kTimeoutMs);
  ASSERT_NE(times.window, nullptr);
  EXPECT_GT(times.shown_ms, 0);
  EXPECT_FALSE(times.earlier_shown_ms);
  EXPECT_EQ(program.Close(times.window, 10000), Ending::Closed);
  EXPECT_EQ(program.ExitCode(), 0u);
}

TEST(ChildProgramTest, TerminatesAProgramThatDoesNotClose) {
  Stopwatch clock;
  ChildProgram program(Built(L"minimal_window.exe"), clock);
  WaitForWindow(program, kMinimalClass, nullptr, clock, kTimeoutMs);
  // No window gets the close request, so only the last resort ends it.
  EXPECT_EQ(program.Close(nullptr, 200), Ending::Terminated);
  EXPECT_TRUE(program.HasExited());
  EXPECT_NE(program.ExitCode(), 0u);
}

TEST(ChildProgramTest, GivesUpOnAWindowThatNeverComes) {
  Stopwatch clock;
  ChildProgram program(Built(L"minimal_window.exe"), clock);
  EXPECT_THROW(WaitForWindow(program, L"NoSuchClass", nullptr, clock, 500), std::runtime_error);
  EXPECT_GE(clock.ElapsedMs(), 500);
}

TEST(ChildProgramTest, RefusesAMissingProgram) {
  Stopwatch clock;
  EXPECT_THROW(ChildProgram(Built(L"no_such_program.exe"), clock), std::runtime_error);
}

TEST(ChildProgramTest, TarvikShowsItsSplashBeforeItsMainWindow) {
  Stopwatch clock;
  ChildProgram program(Built(L"tarvik.exe"), clock);
  WindowTimes times =
      WaitForWindow(program, app::win32::kMainClass, app::win32::kSplashClass, clock, kTimeoutMs);
  ASSERT_TRUE(times.earlier_shown_ms && times.earlier_gone_ms);
  EXPECT_LT(*times.earlier_shown_ms, *times.earlier_gone_ms);
  // The splash stays up for its fixed wait of 2000 ms.
  EXPECT_GE(*times.earlier_gone_ms - *times.earlier_shown_ms, 1900);
  EXPECT_LE(*times.earlier_gone_ms, times.shown_ms);
  EXPECT_EQ(program.Close(times.window, 10000), Ending::Closed);
}

}  // namespace
}  // namespace tarvik::bench
