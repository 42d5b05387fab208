#include "app/Form_Tarvik.h"

#include <gtest/gtest.h>

#include <memory>

#include "tests/native/MainWindowFixture.h"

namespace tarvik::app {
namespace {

using platform::Answer;
using platform::memory::MemoryFormWindow;
using platform::memory::ScriptedMessageBoxes;

TEST_F(MainWindowTest, FirstRunOnAnEmptyStore) {
  Load();
  EXPECT_EQ(window.Left(), 1000);
  EXPECT_EQ(window.Top(), 1000);
  EXPECT_EQ(window.Width(), 4740);
  EXPECT_EQ(window.ClientHeight(), 4275) << "rolled down";
  EXPECT_TRUE(form->IsWide());
  EXPECT_FALSE(form->IsUp());
  EXPECT_FALSE(form->IsOnTop());
  EXPECT_EQ(Control("Check_OnTop").Value(), 0);
  EXPECT_TRUE(window.TopmostCalls().empty());
  EXPECT_EQ(List("Combo_WhichApp").ListIndex(), 0);
  EXPECT_EQ(List("Combo_WhichApp").Item(0), "MSTS RE");
  EXPECT_EQ(window.Caption(), "untitled");
  EXPECT_EQ(form->Document().DocPath, "C:\\Program Files\\Tarvik\\untitled");
  EXPECT_FALSE(form->Document().IsDirty);
  EXPECT_FALSE(window.Menu("Menu_FileSave").Enabled());
  EXPECT_FALSE(Control("Command_Delete").Enabled());
  EXPECT_FALSE(Control("Command_Last").Enabled());
  EXPECT_TRUE(Control("Command_New").Enabled());
  EXPECT_TRUE(Control("Command_Grab").Enabled());
  EXPECT_FALSE(Control("Command_RollDown").Visible());
  EXPECT_FALSE(Control("Command_ShowList").Visible());
  EXPECT_EQ(Control("Command_Width").Caption(), "Narrow");
  EXPECT_EQ(form->MRULastIndex(), -1);
  EXPECT_TRUE(form->IsFirstREJump());
  EXPECT_FALSE(form->SuppressRecentJump());
  EXPECT_TRUE(store.Writes().empty()) << "loading writes nothing";
  EXPECT_TRUE(messages.History().empty());

  form->ApplyWidthMode(1);
  EXPECT_EQ(window.Height(), 4935) << "wide outer size before rolling";
  EXPECT_EQ(window.Width(), 4740);
}

TEST_F(MainWindowTest, WideNarrowAndShowListSequence) {
  Load();
  EXPECT_TRUE(List("List_Entire").Visible());
  EXPECT_TRUE(List("List_Recent").Visible());
  EXPECT_EQ(List("List_Entire").Left(), 2400);

  Control("Command_Width").Click();
  EXPECT_FALSE(form->IsWide());
  EXPECT_EQ(window.Width(), 2475);
  EXPECT_EQ(Control("Command_Width").Caption(), "Wide");
  EXPECT_EQ(Control("Command_Width").ToolTip(), "Click to use Wide mode.");
  EXPECT_EQ(Control("Command_RollDown").Width(), 2415);
  EXPECT_EQ(Control("Command_Rollup").Width(), 2415);
  EXPECT_TRUE(Control("Command_ShowList").Visible());
  EXPECT_EQ(Control("Command_ShowList").Caption(), "Show Recent List");
  EXPECT_TRUE(List("List_Entire").Visible());
  EXPECT_FALSE(List("List_Recent").Visible());
  EXPECT_EQ(List("List_Entire").Left(), 120);
  EXPECT_EQ(List("List_Entire").Top(), 1320);

  Control("Command_ShowList").Click();
  EXPECT_FALSE(List("List_Entire").Visible());
  EXPECT_TRUE(List("List_Recent").Visible());
  EXPECT_EQ(Control("Label_Recent").Caption(), "Recent WP List");
  EXPECT_EQ(Control("Label_Recent").Top(), 1320);
  EXPECT_EQ(Control("Command_ShowList").Caption(), "Show Entire List");
  EXPECT_EQ(Control("Command_ShowList").ToolTip(), "Show entire WP List.");

  Control("Command_ShowList").Click();
  EXPECT_TRUE(List("List_Entire").Visible());
  EXPECT_FALSE(List("List_Recent").Visible());
  EXPECT_EQ(Control("Command_ShowList").Caption(), "Show Recent List");

  // Back to narrow from the recent list: narrow always starts on the entire list.
  Control("Command_ShowList").Click();
  Control("Command_Width").Click();
  EXPECT_TRUE(form->IsWide());
  EXPECT_EQ(window.Width(), 4740);
  EXPECT_FALSE(Control("Command_ShowList").Visible());
  EXPECT_EQ(Control("Label_Recent").Top(), 1080);
  EXPECT_EQ(List("List_Recent").Top(), 1320);
  EXPECT_EQ(List("List_Recent").Height(), 1620);
  Control("Command_Width").Click();
  EXPECT_TRUE(List("List_Entire").Visible());
  EXPECT_FALSE(List("List_Recent").Visible());

  form->Command_ShowList_Click();  // hidden in wide mode, and harmless there
  form->ApplyWidthMode(1);
  form->Command_ShowList_Click();
  EXPECT_TRUE(List("List_Entire").Visible());
  EXPECT_TRUE(List("List_Recent").Visible());
}

TEST_F(MainWindowTest, WidthChangesRestoreTheFullHeightEvenWhenRolledUp) {
  Load();
  Control("Command_Rollup").Click();
  EXPECT_TRUE(form->IsUp());
  Control("Command_Width").Click();
  EXPECT_EQ(window.Height(), 4935);
  Control("Command_Width").Click();
  EXPECT_EQ(window.Height(), 4935);
  form->ApplyWidthMode(7);  // any value other than 1 is narrow
  EXPECT_FALSE(form->IsWide());
  EXPECT_EQ(window.Height(), 4935);
}

}  // namespace
}  // namespace tarvik::app

namespace tarvik::platform::memory {
void PrintTo(const MemoryFrame& frame, std::ostream* out) {
  *out << "border " << frame.border << ", title and menu " << frame.title_and_menu;
}
}  // namespace tarvik::platform::memory

namespace tarvik::app {
namespace {

class RollModeTest : public MainWindowTest,
                     public ::testing::WithParamInterface<MemoryFormWindow::Frame> {
 protected:
  RollModeTest() : MainWindowTest(GetParam()) {}
};

TEST_P(RollModeTest, RollingFitsTheClientAreaToTheBarsWhateverTheFrame) {
  Load();
  Control("Command_Rollup").Click();
  EXPECT_EQ(window.ClientHeight(), 195);
  EXPECT_TRUE(Control("Command_RollDown").Visible());
  EXPECT_EQ(window.Width(), 4740) << "rolling never changes the width";

  Control("Command_RollDown").Click();
  EXPECT_EQ(window.ClientHeight(), 4275);
  EXPECT_FALSE(Control("Command_RollDown").Visible());
  EXPECT_FALSE(form->IsUp());

  float before = window.Height();
  form->ApplyRollMode(2);
  EXPECT_EQ(window.Height(), before) << "other values change nothing";
  EXPECT_FALSE(form->IsUp());
}

INSTANTIATE_TEST_SUITE_P(Frames, RollModeTest,
                         ::testing::Values(MemoryFormWindow::Frame{60, 600},
                                           MemoryFormWindow::Frame{15, 690},
                                           MemoryFormWindow::Frame{120, 1110}));

TEST_F(MainWindowTest, StoredModesAndPositionAreRestored) {
  store.Put("Settings", "MainLeft", "2500");
  store.Put("Settings", "MainTop", "-15");
  store.Put("Settings", "IsWide", "False");
  store.Put("Settings", "IsUp", "True");
  store.Put("Settings", "IsOnTop", "True");
  store.Put("Settings", "WhichApp", "2");
  Load();
  EXPECT_EQ(window.Left(), 2500);
  EXPECT_EQ(window.Top(), -15);
  EXPECT_FALSE(form->IsWide());
  EXPECT_EQ(window.Width(), 2475);
  EXPECT_TRUE(form->IsUp());
  EXPECT_EQ(window.ClientHeight(), 195);
  EXPECT_TRUE(form->IsOnTop());
  EXPECT_EQ(Control("Check_OnTop").Value(), 1);
  EXPECT_EQ(window.TopmostCalls(), std::vector<bool>{true});
  EXPECT_EQ(List("Combo_WhichApp").ListIndex(), 2);
}

TEST_F(MainWindowTest, UnparsableStoredValuesGiveTheDefaults) {
  store.Put("Settings", "MainLeft", "far left");
  store.Put("Settings", "MainTop", "");
  store.Put("Settings", "IsWide", "no");
  store.Put("Settings", "IsUp", "1");
  store.Put("Settings", "IsOnTop", "yes");
  store.Put("Settings", "WhichApp", "Mosaic");
  Load();
  EXPECT_EQ(window.Left(), 1000);
  EXPECT_EQ(window.Top(), 1000);
  EXPECT_TRUE(form->IsWide());
  EXPECT_FALSE(form->IsUp());
  EXPECT_FALSE(form->IsOnTop());
  EXPECT_EQ(List("Combo_WhichApp").ListIndex(), 0);
}

TEST_F(MainWindowTest, AnUnknownTargetSelectsTheRouteEditorAndIsWrittenBackAsZero) {
  store.Put("Settings", "WhichApp", "7");
  Load();
  EXPECT_EQ(List("Combo_WhichApp").ListIndex(), 0);
  window.UserClose();
  EXPECT_EQ(Stored("WhichApp"), "0");
}

TEST_F(MainWindowTest, ClosingWritesTheWindowKeysInOrder) {
  Load();
  Control("Command_Width").Click();
  Control("Command_Rollup").Click();
  Control("Check_OnTop").Click();
  List("Combo_WhichApp").UserSelect(1);
  window.SetLeft(3000.5f);
  window.UserClose();
  std::vector<std::string> expected = {
      "Settings/IsWide=False", "Settings/IsUp=True",     "Settings/IsOnTop=True",
      "Settings/MainLeft=3000.5", "Settings/MainTop=1000", "Settings/WhichApp=1"};
  EXPECT_EQ(store.Writes(), expected);
  EXPECT_TRUE(window.Destroyed());
  EXPECT_EQ(windows.others_unloaded, 1);
  EXPECT_TRUE(messages.History().empty()) << "nothing to save, nothing asked";
}

TEST_F(MainWindowTest, ClosingWhileMinimizedWritesNoWindowKey) {
  store.Put("Settings", "IsWide", "False");
  Load();
  Control("Command_Width").Click();
  window.SetMinimized(true);
  window.UserClose();
  EXPECT_TRUE(store.Writes().empty());
  EXPECT_EQ(Stored("IsWide"), "False");
  EXPECT_TRUE(window.Destroyed());
}

TEST_F(MainWindowTest, TheUpdateQuestionIsAskedOnceByCloseBox) {
  Load();
  form->Document().IsDirty = true;
  messages.ScriptAnswer(Answer::No);
  window.UserClose();
  window.UserClose();
  ASSERT_EQ(messages.History().size(), 1u);
  EXPECT_EQ(messages.History()[0].text, "Update untitled?");
  EXPECT_EQ(messages.History()[0].title, "Tarvik");
  EXPECT_EQ(messages.History()[0].kind, ScriptedMessageBoxes::Kind::Question);
  EXPECT_TRUE(window.Destroyed());
}

TEST_F(MainWindowTest, TheUpdateQuestionIsAskedOnceByExit) {
  Load();
  form->Document().IsDirty = true;
  messages.ScriptAnswer(Answer::No);
  window.Menu("Menu_FileExit").Choose();
  // The window closing at the end of Exit's sequence must not start it again.
  window.UserClose();
  EXPECT_EQ(messages.History().size(), 1u);
  EXPECT_EQ(windows.others_unloaded, 1);
  EXPECT_EQ(store.Writes().size(), 6u);
}

TEST_F(MainWindowTest, OnTopFollowsTheCheckBox) {
  Load();
  Control("Check_OnTop").Click();
  EXPECT_TRUE(form->IsOnTop());
  EXPECT_TRUE(window.Topmost());
  Control("Check_OnTop").Click();
  EXPECT_FALSE(form->IsOnTop());
  EXPECT_FALSE(window.Topmost());
  EXPECT_EQ(window.TopmostCalls(), (std::vector<bool>{true, false}));
}

TEST_F(MainWindowTest, TheManualIsOpenedFromTheProgramFolder) {
  system.program_folder = "D:\\Tools\\Tarvik";
  Load();
  window.Menu("Menu_Manual").Choose();
  EXPECT_EQ(system.events.back(),
            "shellopen D:\\Tools\\Tarvik\\Manual\\manual.html in D:\\Tools\\Tarvik");
  EXPECT_TRUE(messages.History().empty());

  for (long failure : {0L, 2L, 31L, 32L}) {
    system.shell_result = failure;
    window.Menu("Menu_Manual").Choose();
    ASSERT_FALSE(messages.History().empty());
    EXPECT_EQ(messages.History().back().text, "Can't open the Manual!");
    EXPECT_EQ(messages.History().back().title, "Tarvik");
    EXPECT_EQ(messages.History().back().kind, ScriptedMessageBoxes::Kind::Information);
  }
  EXPECT_EQ(messages.History().size(), 4u);
}

TEST_F(MainWindowTest, TransitOpensTheTransitWindowAndTheTargetSelectorHidesIt) {
  store.Put("Settings", "WhichApp", "1");
  Load();
  EXPECT_EQ(windows.transit_hidden, 1) << "a stored Mosaic hides it at load";
  List("Combo_WhichApp").UserSelect(0);
  EXPECT_TRUE(Control("Command_Transit").Enabled());
  Control("Command_Transit").Click();
  Control("Command_Transit").Click();
  EXPECT_EQ(windows.transit_shown, 2);
}

TEST_F(MainWindowTest, AboutAsksForTheOneAboutBox) {
  Load();
  window.Menu("Menu_About").Choose();
  window.Menu("Menu_About").Choose();
  EXPECT_EQ(windows.about_shown, 2);
}

TEST_F(MainWindowTest, APositionOffEveryMonitorIsBroughtBack) {
  window.SetMonitors({{0, 0, 28800, 16200}});
  store.Put("Settings", "MainLeft", "40000");
  store.Put("Settings", "MainTop", "500");
  Load();
  EXPECT_EQ(window.Left(), 28800 - 4740);
  EXPECT_EQ(window.Top(), 500);
}

TEST_F(MainWindowTest, MenusAreBuiltInDisplayOrderWithTheRecentGroupHidden) {
  Load();
  std::vector<std::string> file;
  for (const auto* item : window.MenuChildren("Menu_File")) file.push_back(item->Caption());
  EXPECT_EQ(file, (std::vector<std::string>{"&New", "&Open", "&Save", "Sav&e As", "&Import...",
                                            "E&xport...", "Exit", "", "Recent Files"}));
  EXPECT_FALSE(window.Menu("Menu_FileRecent_0").Visible());
  EXPECT_FALSE(window.Menu("Bar").Visible());
  EXPECT_EQ(window.Menu("Menu_Help").Caption(), "&Help");
}

}  // namespace
}  // namespace tarvik::app
