#include <windows.h>

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "ControlReader.h"
#include "TargetPrograms.h"

namespace tarvik::e2e {
namespace {

using Texts = std::vector<std::optional<std::wstring>>;

// Mosaic's button is held down for 200 ms, and nothing else in a jump
// needs to wait.
constexpr milliseconds kQuickJump{800};

class MosaicTarget : public TargetProgramTest {
 protected:
  void SetUp() override {
    ASSERT_NO_FATAL_FAILURE(TargetProgramTest::SetUp());
    ASSERT_NO_FATAL_FAILURE(LaunchBeside(kMosaic));
    // The stand-in's coordinate pane holds the two fields and "Go to"; its
    // map below says where it stands.
    latitude_ = NthDescendantOfClass(standin_main_, L"Edit", 1);
    longitude_ = NthDescendantOfClass(standin_main_, L"Edit", 2);
    go_ = NthDescendantOfClass(standin_main_, L"Button", 1);
    map_ = NthDescendantOfClass(standin_main_, L"StandinMapView", 1);
    ASSERT_TRUE(latitude_ && longitude_ && go_ && map_) << "the stand-in's windows are not there";
    ASSERT_NO_FATAL_FAILURE(ChooseTarget(L"Mosaic"));
  }

  // Mosaic shows a position with five decimals and a four-character unit.
  void ExpectMosaicAt(const std::wstring& latitude, const std::wstring& longitude) {
    EXPECT_EQ(TextSoon(map_, L"Map at " + latitude + L", " + longitude),
              L"Map at " + latitude + L", " + longitude);
    EXPECT_EQ(TextOf(latitude_), latitude + L" deg");
    EXPECT_EQ(TextOf(longitude_), longitude + L" deg");
  }

  HWND latitude_ = nullptr;
  HWND longitude_ = nullptr;
  HWND go_ = nullptr;
  HWND map_ = nullptr;
};

TEST_F(MosaicTarget, SelectingAWaypointMovesTheMapAndGrabTakesWhereItStands) {
  EXPECT_TRUE(Enabled("Command_Grab"));
  EXPECT_TRUE(Enabled("Command_New"));
  EXPECT_FALSE(Enabled("Command_Transit")) << "Transit measures in the Route Editor only";

  ASSERT_NO_FATAL_FAILURE(Add(kFalls));
  ExpectMosaicAt(L"48.50718", L"-111.86247");
  ASSERT_NO_FATAL_FAILURE(Add(kSummit));
  ExpectMosaicAt(L"48.31620", L"-113.34860");
  const auto start = Clock::now();
  ASSERT_NO_FATAL_FAILURE(Select("List_Entire", kFalls));
  EXPECT_LT(Since(start).count(), kQuickJump.count()) << "ms; the jump waited for something";
  ExpectMosaicAt(L"48.50718", L"-111.86247");

  // Moved elsewhere in Mosaic itself.
  ASSERT_TRUE(SetText(latitude_, L"43.32701d"));
  ASSERT_TRUE(SetText(longitude_, L"-74.04157d"));
  ASSERT_TRUE(Click(go_));
  ExpectMosaicAt(L"43.32701", L"-74.04157");

  // Grab writes "WP " where the caret is; the user has cleared the box.
  ASSERT_TRUE(SetText(Control("Text_Waypoint"), L""));
  ASSERT_NO_FATAL_FAILURE(Grab());
  EXPECT_EQ(EntryTexts(), (Texts{L"WP ", L"43.32701", L"-74.04157"}))
      << "the unit after each number is dropped";
  EXPECT_FALSE(Enabled("Command_Grab"));
  EXPECT_TRUE(Enabled("Command_Delete"));

  const std::wstring name = L"Lake";
  ASSERT_NO_FATAL_FAILURE(TypeAtCaret("Text_Waypoint", name));
  const TypedWaypoint grabbed{L"WP " + name, L"43.32701", L"-74.04157"};
  ASSERT_NO_FATAL_FAILURE(PressAdd(grabbed.name));
  EXPECT_EQ(Rows("List_Entire"), RowsOf({kFalls, kSummit, grabbed}));
  ExpectMosaicAt(L"43.32701", L"-74.04157");
}

}  // namespace
}  // namespace tarvik::e2e
