#include "MessageBoxReader.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <thread>
#include <vector>

#include "ControlReader.h"
#include "Waiting.h"
#include "WindowSearch.h"

namespace tarvik::e2e {
namespace {

constexpr milliseconds kBoxLimit{3000};

// Shows a message box of this process on a thread of its own, as the
// program under test shows its boxes on its own thread. A box still open
// when the test ends is answered, so the thread always ends.
class BoxOnThread {
 public:
  BoxOnThread(const wchar_t* text, UINT type)
      : thread_([this, text, type] { answer_ = MessageBoxW(nullptr, text, L"Reader", type); }) {}
  BoxOnThread(const BoxOnThread&) = delete;
  BoxOnThread& operator=(const BoxOnThread&) = delete;
  ~BoxOnThread() {
    WaitUntil(
        [this] {
          if (answer_ != 0) return true;
          for (HWND box : TopWindowsOf(GetCurrentProcessId(), L"#32770")) {
            PostMessageW(box, WM_COMMAND, IDNO, 0);
            PostMessageW(box, WM_COMMAND, IDOK, 0);
          }
          return false;
        },
        kBoxLimit);
    if (answer_ != 0) thread_.join();
    else thread_.detach();
  }

  int Answer() const { return answer_; }

 private:
  std::atomic<int> answer_{0};
  std::thread thread_;
};

TEST(MessageBoxReader, ReadsTextButtonsAndIconAndPressesAButton) {
  BoxOnThread question(L"Update untitled?", MB_YESNO | MB_ICONEXCLAMATION);
  HWND box = WaitForMessageBox(GetCurrentProcessId(), kBoxLimit);
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(MessageTextOf(box), L"Update untitled?");
  EXPECT_EQ(StoredTextOf(box), L"Reader");
  EXPECT_EQ(VisibleButtonsOf(box), (std::vector<std::wstring>{L"&Yes", L"&No"}));
  EXPECT_TRUE(HasIcon(box));
  ASSERT_TRUE(Click(ButtonOf(box, L"&No")));
  EXPECT_TRUE(WaitUntil([&] { return question.Answer() != 0; }, kBoxLimit));
  EXPECT_EQ(question.Answer(), IDNO);
}

TEST(MessageBoxReader, SeesNoIconInAPlainBox) {
  BoxOnThread note(L"Plain", MB_OK);
  HWND box = WaitForMessageBox(GetCurrentProcessId(), kBoxLimit);
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(VisibleButtonsOf(box), std::vector<std::wstring>{L"OK"});
  EXPECT_FALSE(HasIcon(box));
}

}  // namespace
}  // namespace tarvik::e2e
