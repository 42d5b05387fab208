#include <windows.h>

#include <gtest/gtest.h>

#include <numbers>
#include <optional>
#include <string>
#include <vector>

#include "ControlReader.h"
#include "Keys.h"
#include "TargetPrograms.h"
#include "transit/GoodeForward.h"

namespace tarvik::e2e {
namespace {

using Texts = std::vector<std::optional<std::wstring>>;

struct Tile {
  std::wstring x;
  std::wstring z;
};

// The worked example of the projection, known independently of it.
const Tile kLakeTileNumbers{L"-11000", L"14500"};

// The tile the Route Editor's projection puts a place in; the stand-in's
// own tests check that projection.
Tile TileOf(const TypedWaypoint& place) {
  constexpr double kRadiansPerDegree = std::numbers::pi / 180;
  auto tile = transit::TilePositionOf(
      transit::LatLonRadians{std::stod(place.latitude) * kRadiansPerDegree,
                             std::stod(place.longitude) * kRadiansPerDegree});
  return tile ? Tile{std::to_wstring(tile->tile_x), std::to_wstring(tile->tile_z)} : Tile{};
}

class RouteEditorTarget : public TargetProgramTest {
 protected:
  void SetUp() override {
    ASSERT_NO_FATAL_FAILURE(TargetProgramTest::SetUp());
    ASSERT_NO_FATAL_FAILURE(LaunchBeside(kRouteEditor));
    camera_ = standin_->TopWindow(L"RouteEditorCamera");
    ASSERT_NE(camera_, nullptr) << "the stand-in shows no Camera window";
  }

  HWND CameraChild(int n) const { return NthChild(camera_, n); }

  // Where the camera stands, as its window shows it.
  void ExpectCameraAt(const TypedWaypoint& place, const Tile& tile) {
    EXPECT_EQ(TextSoon(CameraChild(kCameraLatitude), place.latitude), place.latitude);
    EXPECT_EQ(TextSoon(CameraChild(kCameraLongitude), place.longitude), place.longitude);
    EXPECT_EQ(TextOf(CameraChild(kCameraTileX)), tile.x);
    EXPECT_EQ(TextOf(CameraChild(kCameraTileZ)), tile.z);
  }

  HWND camera_ = nullptr;
};

TEST_F(RouteEditorTarget, SelectingAWaypointMovesTheCameraToIt) {
  const Tile falls_tile = TileOf(kFalls);
  ASSERT_FALSE(falls_tile.x.empty()) << "Falls is off the projection";

  // Add jumps to the new waypoint, here twice as the first jump of a run.
  ASSERT_NO_FATAL_FAILURE(Add(kFalls));
  ExpectCameraAt(kFalls, falls_tile);
  ASSERT_NO_FATAL_FAILURE(Add(kLakeTile));
  ExpectCameraAt(kLakeTile, kLakeTileNumbers);

  ASSERT_NO_FATAL_FAILURE(Select("List_Entire", kFalls));
  ExpectCameraAt(kFalls, falls_tile);
  EXPECT_EQ(EntryTexts(), (Texts{kFalls.name, kFalls.latitude, kFalls.longitude}));
  EXPECT_EQ(Rows("List_Recent"), RowsOf({kFalls, kLakeTile}));
  EXPECT_EQ(Ask(Control("List_Recent"), LB_GETCURSEL), 0)
      << "the recent list shows the waypoint jumped to";
}

TEST_F(RouteEditorTarget, GrabTakesTheCameraPositionForANewWaypoint) {
  // Somewhere else, moved there in the Route Editor itself.
  ASSERT_TRUE(SetText(CameraChild(kCameraLongitude), kLakeTile.longitude));
  ASSERT_TRUE(SetText(CameraChild(kCameraLatitude), kLakeTile.latitude));
  ASSERT_TRUE(Click(CameraChild(kCameraMove)));
  ExpectCameraAt(kLakeTile, kLakeTileNumbers);
  EXPECT_FALSE(Enabled("Command_Delete"));

  ASSERT_NO_FATAL_FAILURE(Grab());
  EXPECT_EQ(EntryTexts(), (Texts{L"WP ", kLakeTile.latitude, kLakeTile.longitude}));
  EXPECT_FALSE(Enabled("Command_Grab"));
  EXPECT_TRUE(Enabled("Command_Delete"));
  EXPECT_EQ(FocusWithin(main_, nullptr), Control("Text_Waypoint"));

  // The name goes after "WP ", where Grab left the caret.
  const std::wstring name = L"Lake";
  ASSERT_NO_FATAL_FAILURE(TypeAtCaret("Text_Waypoint", name));
  const TypedWaypoint grabbed{L"WP " + name, kLakeTile.latitude, kLakeTile.longitude};
  ASSERT_NO_FATAL_FAILURE(PressAdd(grabbed.name));
  EXPECT_EQ(Rows("List_Entire"), RowsOf({grabbed}));
  EXPECT_EQ(Rows("List_Recent"), RowsOf({grabbed}));
}

}  // namespace
}  // namespace tarvik::e2e
