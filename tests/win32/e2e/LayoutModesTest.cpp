#include <windows.h>

#include <gtest/gtest.h>

#include "ControlReader.h"
#include "Geometry.h"
#include "SettingsRegistry.h"
#include "TarvikFixture.h"

namespace tarvik::e2e {
namespace {

using namespace std::string_literals;

class LayoutModes : public TarvikTest {
 protected:
  HWND Control(const char* name) { return MainControl(main_, name); }
  bool Visible(const char* name) { return IsWindowVisible(Control(name)) != FALSE; }
  void ClickControl(const char* name) { ASSERT_TRUE(Click(Control(name))) << name; }
};

TEST_F(LayoutModes, NarrowAndRolledUpComeBackAfterARestart) {
  ASSERT_NO_FATAL_FAILURE(Launch());
  ASSERT_NO_FATAL_FAILURE(ClickControl("Command_Width"));
  EXPECT_EQ(TextOf(Control("Command_Width")), L"Wide"s);
  EXPECT_TRUE(Visible("Command_ShowList"));
  EXPECT_EQ(TextOf(Control("Command_ShowList")), L"Show Recent List"s);
  EXPECT_TRUE(Visible("List_Entire"));
  EXPECT_FALSE(Visible("List_Recent"));
  Geometry narrow = GeometryOf(main_);
  EXPECT_TRUE(IsTwips(narrow.OuterWidth(), 2475, narrow.dpi));
  EXPECT_TRUE(IsTwips(narrow.OuterHeight(), 4935, narrow.dpi));

  ASSERT_NO_FATAL_FAILURE(ClickControl("Command_ShowList"));
  EXPECT_EQ(TextOf(Control("Command_ShowList")), L"Show Entire List"s);
  EXPECT_FALSE(Visible("List_Entire"));
  EXPECT_TRUE(Visible("List_Recent"));

  ASSERT_NO_FATAL_FAILURE(ClickControl("Command_Rollup"));
  Geometry up = GeometryOf(main_);
  EXPECT_TRUE(IsTwips(up.ClientHeight(), 195, up.dpi));
  EXPECT_EQ(up.OuterWidth(), narrow.OuterWidth());
  EXPECT_TRUE(Visible("Command_RollDown"));

  ASSERT_NO_FATAL_FAILURE(ExitByFileMenu());
  EXPECT_EQ(ReadTarvikSetting(L"IsWide"), L"False"s) << OtherCopies();
  EXPECT_EQ(ReadTarvikSetting(L"IsUp"), L"True"s) << OtherCopies();

  ASSERT_NO_FATAL_FAILURE(Launch());
  Geometry restored = GeometryOf(main_);
  EXPECT_TRUE(IsTwips(restored.OuterWidth(), 2475, restored.dpi));
  EXPECT_TRUE(IsTwips(restored.ClientHeight(), 195, restored.dpi));
  EXPECT_EQ(TextOf(Control("Command_Width")), L"Wide"s);
  // A new narrow window starts with the entire list.
  EXPECT_EQ(TextOf(Control("Command_ShowList")), L"Show Recent List"s);
  EXPECT_TRUE(Visible("Command_RollDown"));

  ASSERT_NO_FATAL_FAILURE(ClickControl("Command_RollDown"));
  Geometry down = GeometryOf(main_);
  EXPECT_TRUE(IsTwips(down.ClientHeight(), 4275, down.dpi));
  EXPECT_FALSE(Visible("Command_RollDown"));
  ASSERT_NO_FATAL_FAILURE(ExpectCleanExitAfter(WM_CLOSE));
  EXPECT_EQ(ReadTarvikSetting(L"IsUp"), L"False"s) << OtherCopies();
  EXPECT_EQ(ReadTarvikSetting(L"IsWide"), L"False"s) << OtherCopies();
}

TEST_F(LayoutModes, WidthSwitchesSetTheFullHeightAlsoWhenRolledUp) {
  ASSERT_NO_FATAL_FAILURE(Launch());
  ASSERT_NO_FATAL_FAILURE(ClickControl("Command_Rollup"));
  Geometry up = GeometryOf(main_);
  ASSERT_TRUE(IsTwips(up.ClientHeight(), 195, up.dpi));

  ASSERT_NO_FATAL_FAILURE(ClickControl("Command_Width"));
  Geometry narrow = GeometryOf(main_);
  EXPECT_TRUE(IsTwips(narrow.OuterHeight(), 4935, narrow.dpi));
  EXPECT_TRUE(IsTwips(narrow.OuterWidth(), 2475, narrow.dpi));

  ASSERT_NO_FATAL_FAILURE(ClickControl("Command_Width"));
  Geometry wide = GeometryOf(main_);
  EXPECT_TRUE(IsTwips(wide.OuterHeight(), 4935, wide.dpi));
  EXPECT_TRUE(IsTwips(wide.OuterWidth(), 4740, wide.dpi));
  EXPECT_EQ(TextOf(Control("Command_Width")), L"Narrow"s);
  EXPECT_FALSE(Visible("Command_ShowList"));
  EXPECT_TRUE(Visible("List_Entire"));
  EXPECT_TRUE(Visible("List_Recent"));
}

}  // namespace
}  // namespace tarvik::e2e
