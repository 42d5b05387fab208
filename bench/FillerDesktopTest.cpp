#include <gtest/gtest.h>

#include <atomic>
#include <stdexcept>
#include <thread>
#include <vector>

#include "bench/ChildProgram.h"
#include "bench/FillerDesktop.h"
#include "bench/MinimalWindow.h"

namespace tarvik::bench {
namespace {

constexpr double kTimeoutMs = 20000;

std::wstring Built(const wchar_t* file) {
  return PathBesideThisProgram(std::wstring(BENCH_BIN_FROM_TESTS) + L"/" + file);
}

// Polls until `done` holds; false when the time runs out.
template <class Done>
bool Eventually(Done done) {
  Stopwatch clock;
  while (!done()) {
    if (clock.ElapsedMs() > kTimeoutMs) return false;
    Sleep(10);
  }
  return true;
}

TEST(HelperProgramTest, AsksTheProgramToQuitWhenItGoes) {
  UniqueKernelHandle watched;
  {
    HelperProgram helper(L"\"" + Built(L"minimal_window.exe") + L"\"");
    ASSERT_TRUE(Eventually([&] { return FindVisibleWindow(helper.Id(), kMinimalClass); }));
    watched.reset(OpenProcess(SYNCHRONIZE | PROCESS_QUERY_LIMITED_INFORMATION, FALSE, helper.Id()));
    ASSERT_TRUE(watched);
  }
  ASSERT_EQ(WaitForSingleObject(watched.get(), 0), WAIT_OBJECT_0) << "still running";
  DWORD code = 1;
  ASSERT_TRUE(GetExitCodeProcess(watched.get(), &code));
  EXPECT_EQ(code, 0u) << "ended by force rather than by its own WM_QUIT";
}

TEST(HelperProgramTest, RefusesAMissingProgram) {
  EXPECT_THROW(HelperProgram(L"\"" + Built(L"no_such_program.exe") + L"\""), std::runtime_error);
}

struct Tally {
  std::vector<HWND> tops;
};

BOOL CALLBACK NoteTop(HWND window, LPARAM data) noexcept {
  wchar_t name[64];
  if (GetClassNameW(window, name, 64) && std::wstring(name) == L"BenchFiller") {
    reinterpret_cast<Tally*>(data)->tops.push_back(window);
  }
  return TRUE;
}

BOOL CALLBACK CountOne(HWND, LPARAM count) noexcept {
  ++*reinterpret_cast<int*>(count);
  return TRUE;
}

int DescendantsOf(HWND window) {
  int count = 0;
  EnumChildWindows(window, &CountOne, reinterpret_cast<LPARAM>(&count));
  return count;
}

TEST(HoldFillerWindowsTest, FiftyWindowsOfFortyDescendantsUntilQuit) {
  int result = -1;
  std::atomic<DWORD> thread_id{0};
  std::thread holder([&] {
    thread_id = GetCurrentThreadId();
    try {
      result = HoldFillerWindows();
    } catch (const std::exception& error) {
      ADD_FAILURE() << error.what();
    }
  });
  ASSERT_TRUE(Eventually([&] { return thread_id != 0; }));
  Tally tally;
  const bool all_up = Eventually([&] {
    tally.tops.clear();
    EnumThreadWindows(thread_id, &NoteTop, reinterpret_cast<LPARAM>(&tally));
    return tally.tops.size() == 50 && DescendantsOf(tally.tops.back()) == 40;
  });
  // The thread has its message queue once it has made its first window.
  const bool asked = Eventually([&] { return PostThreadMessageW(thread_id, WM_QUIT, 0, 0); });
  holder.join();
  ASSERT_TRUE(asked);
  ASSERT_TRUE(all_up) << tally.tops.size() << " filler windows";
  for (HWND top : tally.tops) EXPECT_FALSE(IsWindow(top)) << "outlived its thread";
  EXPECT_EQ(result, 0);
}

}  // namespace
}  // namespace tarvik::bench
