#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ControlReader.h"
#include "RealInput.h"
#include "WaypointWindow.h"

namespace tarvik::e2e {
namespace {

class EditMenu : public WaypointWindowTest {
 protected:
  // Waits until the entire list holds these rows; false after the limit.
  bool ListBecomes(const std::vector<TypedWaypoint>& sorted) {
    return WaitUntil([&] { return Rows("List_Entire") == RowsOf(sorted); }, kWindowLimit);
  }
  bool Press(WORD key) { return PressKeyWith(VK_CONTROL, key); }
  // Typed into the focused box, and seen there: every key before it has
  // been handled too.
  bool TypeAndSee(WORD letter, const std::wstring& text) {
    return PressKey(letter) &&
           WaitUntil([&] { return TextOf(Control("Text_Waypoint")) == text; }, kWindowLimit);
  }
};

TEST_F(EditMenu, UndoAndRedoByMenuAndKeysInTheListWhileABoxKeepsItsOwnCtrlZ) {
  ASSERT_NO_FATAL_FAILURE(Launch());
  ASSERT_NO_FATAL_FAILURE(Add(kSummit));
  ASSERT_NO_FATAL_FAILURE(Add(kEastPortal));
  ASSERT_TRUE(BringToForeground(main_, kWindowLimit));

  // Edit > Undo from the keyboard, as a user opens a menu.
  ASSERT_TRUE(PressKeyWith(VK_MENU, 'E'));
  ASSERT_TRUE(PressKey('U'));
  ASSERT_TRUE(ListBecomes({kSummit})) << "Edit > Undo did not take back the last Add";

  // In the name box the keys are the box's own: Ctrl+Z takes back typing,
  // Ctrl+Y and Ctrl+Shift+Z leave the list alone.
  ASSERT_TRUE(TabInto(main_, Control("Text_Waypoint"), kWindowLimit));
  ASSERT_TRUE(TypeAndSee('X', L"x"));
  ASSERT_TRUE(Press('Z'));
  ASSERT_TRUE(WaitUntil([&] { return TextOf(Control("Text_Waypoint")) == L""; }, kWindowLimit))
      << "Ctrl+Z in the box left " << TextOf(Control("Text_Waypoint")).value_or(L"?");
  ASSERT_TRUE(Press('Y'));
  ASSERT_TRUE(PressKeyWith(VK_CONTROL, VK_SHIFT, 'Z'));
  ASSERT_TRUE(TypeAndSee('Q', L"q"));
  EXPECT_EQ(Rows("List_Entire"), RowsOf({kSummit})) << "a key in the box changed the list";

  // Anywhere else they undo and redo the list's changes.
  ASSERT_TRUE(TabInto(main_, Control("List_Entire"), kWindowLimit));
  ASSERT_TRUE(Press('Y'));
  ASSERT_TRUE(ListBecomes({kEastPortal, kSummit})) << "Ctrl+Y in the list";
  ASSERT_TRUE(Press('Z'));
  ASSERT_TRUE(ListBecomes({kSummit})) << "Ctrl+Z in the list";
  ASSERT_TRUE(PressKeyWith(VK_CONTROL, VK_SHIFT, 'Z'));
  ASSERT_TRUE(ListBecomes({kEastPortal, kSummit})) << "Ctrl+Shift+Z in the list";
  for (int i = 0; i < 3; ++i) ASSERT_TRUE(Press('Z'));
  ASSERT_TRUE(ListBecomes({})) << "back to the empty list it started with";

  // Edit > Redo, and the changed list asks to be saved again.
  ASSERT_TRUE(PressKeyWith(VK_MENU, 'E'));
  ASSERT_TRUE(PressKey('R'));
  ASSERT_TRUE(ListBecomes({kSummit})) << "Edit > Redo";
  EXPECT_EQ(TextOf(Control("Text_Waypoint")), L"q") << "Undo leaves the boxes alone";
}

}  // namespace
}  // namespace tarvik::e2e
