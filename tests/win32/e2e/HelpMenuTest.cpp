#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ControlReader.h"
#include "Keys.h"
#include "MessageBoxReader.h"
#include "TarvikFixture.h"
#include "TempFolder.h"
#include "WindowSearch.h"
#include "app/win32/WindowClasses.h"

namespace tarvik::e2e {
namespace {

using namespace std::string_literals;

using app::win32::kAboutClass;

class HelpMenu : public TarvikTest {
 protected:
  // Opens the About box by the menu command; the command returns once the
  // box is up, so a send tells when it has been handled.
  HWND OpenAbout() {
    if (!Ask(main_, WM_COMMAND, MAKEWPARAM(MainMenuId("Menu_About"), 0))) return nullptr;
    return WaitForTopWindow(process_->Id(), kAboutClass, kWindowLimit);
  }

  bool PressKeyInAbout(HWND box, UINT virtual_key) {
    return PostKeyPress(FocusWithin(box, AboutControl(box, "cmdOK")), virtual_key);
  }

  // Outlives the program, which TearDown ends, so its copy can be deleted.
  TempFolder folder_;
};

TEST_F(HelpMenu, ManualMissingBesideTheProgramShowsAWarning) {
  std::filesystem::path lone_exe = folder_.Path() / L"tarvik.exe";
  ASSERT_TRUE(std::filesystem::copy_file(BuiltTarvikExe(), lone_exe));
  // The working folder has a manual. Where a program opens HTML files, a
  // look there instead of beside the program would show no warning.
  ASSERT_NO_FATAL_FAILURE(Launch(lone_exe, TestProgramFolder()));
  ASSERT_TRUE(std::filesystem::exists(TestProgramFolder() / L"Manual" / L"manual.html"));

  ASSERT_TRUE(PostMenuCommand(main_, MainMenuId("Menu_Manual")));
  HWND box = WaitForMessageBox(process_->Id(), kWindowLimit);
  ASSERT_NE(box, nullptr) << "no message box";
  EXPECT_EQ(MessageTextOf(box), L"Can't open the Manual!");
  EXPECT_EQ(StoredTextOf(box), L"Tarvik");
  EXPECT_EQ(VisibleButtonsOf(box), std::vector<std::wstring>{L"OK"});
  EXPECT_FALSE(HasIcon(box));

  ASSERT_TRUE(Click(ButtonOf(box, L"OK")));
  EXPECT_TRUE(WaitUntilGoneOrHidden(box, kWindowLimit));
  EXPECT_TRUE(IsWindowVisible(main_));
  ASSERT_NO_FATAL_FAILURE(ExpectCleanExitAfter(WM_CLOSE));
}

TEST_F(HelpMenu, AboutOpensOneTopmostBoxThatEscAndEnterClose) {
  ASSERT_NO_FATAL_FAILURE(Launch());
  HWND box = OpenAbout();
  ASSERT_NE(box, nullptr) << "no About box";
  ASSERT_EQ(OpenAbout(), box) << "About again must bring the same box forward";
  EXPECT_EQ(TopWindowsOf(process_->Id(), kAboutClass).size(), 1u);

  EXPECT_EQ(StoredTextOf(box), L"About Tarvik");
  EXPECT_TRUE(HasExStyle(box, WS_EX_TOPMOST));
  EXPECT_EQ(TextOf(AboutControl(box, "lblTitle")), L"Tarvik"s);
  EXPECT_EQ(TextOf(AboutControl(box, "lblVersion")), std::wstring(L"Version " TARVIK_E2E_VERSION));
  EXPECT_EQ(TextOf(AboutControl(box, "lblDescription")),
            L"Navigation tool for MSTS Route Editor."s);
  EXPECT_EQ(TextOf(AboutControl(box, "cmdOK")), L"OK"s);

  ASSERT_TRUE(PressKeyInAbout(box, VK_ESCAPE));
  EXPECT_TRUE(WaitUntil([&] { return !IsWindow(box); }, kWindowLimit)) << "Esc left the box";

  HWND again = OpenAbout();
  ASSERT_NE(again, nullptr) << "no About box after the first was closed";
  EXPECT_EQ(StoredTextOf(again), L"About Tarvik");
  ASSERT_TRUE(PressKeyInAbout(again, VK_RETURN));
  EXPECT_TRUE(WaitUntil([&] { return !IsWindow(again); }, kWindowLimit)) << "Enter left the box";
  EXPECT_TRUE(TopWindowsOf(process_->Id(), kAboutClass).empty());

  EXPECT_TRUE(IsWindowVisible(main_));
  ASSERT_NO_FATAL_FAILURE(ExpectCleanExitAfter(WM_CLOSE));
}

}  // namespace
}  // namespace tarvik::e2e
