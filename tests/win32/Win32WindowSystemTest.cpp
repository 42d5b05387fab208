// Reading other programs' texts: short texts take a quicker path than long
// ones, and both must give the whole text.
#include "platform/win32/Win32WindowSystem.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

#include "platform/win32/Handles.h"
#include "platform/win32/Utf.h"

namespace tarvik::platform::win32 {
namespace {

class Win32WindowSystemTest : public ::testing::TestWithParam<size_t> {
 protected:
  Win32WindowSystemTest()
      : top_(CreateWindowExW(0, L"Static", L"", WS_POPUP, 0, 0, 100, 100, nullptr, nullptr,
                             GetModuleHandleW(nullptr), nullptr)),
        edit_(CreateWindowExW(0, L"Edit", L"", WS_CHILD | ES_AUTOHSCROLL, 0, 0, 50, 20, top_.get(),
                              nullptr, GetModuleHandleW(nullptr), nullptr)) {}

  WindowHandle Handle(HWND hwnd) { return reinterpret_cast<WindowHandle>(hwnd); }

  UniqueHwnd top_;
  HWND edit_;  // destroyed with its parent
  Win32WindowSystem windows_;
};

// Around the 256-character buffer of the quick path, Unicode included.
TEST_P(Win32WindowSystemTest, TextsAndTitlesAreReadWhole) {
  std::string text;
  for (size_t i = 0; i < GetParam(); ++i) text += i % 7 == 3 ? "\xC3\xA9" : "x";  // é
  SendMessageW(edit_, EM_LIMITTEXT, 0, 0);
  ASSERT_TRUE(SetWindowTextW(edit_, Widen(text).c_str()));
  ASSERT_TRUE(SetWindowTextW(top_.get(), Widen(text).c_str()));
  const TextReply reply = windows_.GetText(Handle(edit_));
  EXPECT_EQ(reply.reply, Reply::Answered);
  EXPECT_EQ(reply.text, text);
  EXPECT_EQ(windows_.Title(Handle(top_.get())), text);
}

INSTANTIATE_TEST_SUITE_P(Lengths, Win32WindowSystemTest,
                         ::testing::Values(0, 1, 10, 254, 255, 256, 257, 1000));

// A window on a thread of its own that stops taking messages once it is
// made, until told to go on.
class SilentWindow {
 public:
  SilentWindow() : thread_(CreateThread(nullptr, 0, &Run, this, 0, nullptr)) {
    WaitForSingleObject(made_.get(), 5000);
  }
  ~SilentWindow() {
    SetEvent(go_on_.get());
    WaitForSingleObject(thread_.get(), 5000);
  }
  SilentWindow(const SilentWindow&) = delete;
  SilentWindow& operator=(const SilentWindow&) = delete;
  HWND Window() const { return window_; }

 private:
  static DWORD WINAPI Run(void* self) {
    auto& silent = *static_cast<SilentWindow*>(self);
    silent.window_ = CreateWindowExW(0, L"Edit", L"silent", WS_POPUP, 0, 0, 50, 20, nullptr,
                                     nullptr, GetModuleHandleW(nullptr), nullptr);
    SetEvent(silent.made_.get());
    WaitForSingleObject(silent.go_on_.get(), INFINITE);
    DestroyWindow(silent.window_);
    return 0;
  }

  UniqueFile made_{CreateEventW(nullptr, TRUE, FALSE, nullptr)};
  UniqueFile go_on_{CreateEventW(nullptr, TRUE, FALSE, nullptr)};
  HWND window_ = nullptr;
  UniqueFile thread_;
};

// Silence and absence both fail a send; only silence is the program's.
TEST(Win32WindowSystemReplies, SilenceTakesTheAnswerLimitAndAClosedWindowIsNoWindow) {
  Win32WindowSystem windows;
  SilentWindow silent;
  ASSERT_NE(silent.Window(), nullptr);
  const WindowHandle handle = reinterpret_cast<WindowHandle>(silent.Window());
  const ULONGLONG start = GetTickCount64();
  EXPECT_EQ(windows.SetText(handle, "x"), Reply::NoAnswer);
  const ULONGLONG waited = GetTickCount64() - start;
  EXPECT_GE(waited + 20, static_cast<ULONGLONG>(kAnswerLimitMs));
  EXPECT_LT(waited, static_cast<ULONGLONG>(kAnswerLimitMs) + 400);
  EXPECT_EQ(windows.GetText(handle).reply, Reply::NoAnswer);
  EXPECT_FALSE(windows.IsHung(handle)) << "not yet: the system waits for seconds";

  HWND gone = CreateWindowExW(0, L"Edit", L"", WS_POPUP, 0, 0, 50, 20, nullptr, nullptr,
                              GetModuleHandleW(nullptr), nullptr);
  const WindowHandle gone_handle = reinterpret_cast<WindowHandle>(gone);
  EXPECT_EQ(windows.Ping(gone_handle), Reply::Answered);
  ASSERT_TRUE(DestroyWindow(gone));
  EXPECT_EQ(windows.ButtonDown(gone_handle), Reply::NoWindow);
  EXPECT_EQ(windows.Ping(0), Reply::NoWindow);
}

// user32 must not see the exception, and the caller must: a search that
// silently stopped half-way would pass for one that found nothing.
TEST(Win32WindowSystemEnumeration, AVisitorsExceptionStopsTheWalkAndComesOutAfterIt) {
  UniqueHwnd top(CreateWindowExW(0, L"Static", L"", WS_POPUP, 0, 0, 100, 100, nullptr, nullptr,
                                 GetModuleHandleW(nullptr), nullptr));
  for (int i = 0; i < 3; ++i) {
    CreateWindowExW(0, L"Static", L"", WS_CHILD, 0, 0, 10, 10, top.get(), nullptr,
                    GetModuleHandleW(nullptr), nullptr);
  }
  Win32WindowSystem windows;
  int visited = 0;
  auto failing = [&](WindowHandle) -> bool {
    ++visited;
    throw std::runtime_error("visitor failed");
  };
  EXPECT_THROW(windows.EnumDescendants(reinterpret_cast<WindowHandle>(top.get()), failing),
               std::runtime_error);
  EXPECT_EQ(visited, 1);
  visited = 0;
  EXPECT_THROW(windows.EnumTopLevel(failing), std::runtime_error);
  EXPECT_EQ(visited, 1);
}

}  // namespace
}  // namespace tarvik::platform::win32
