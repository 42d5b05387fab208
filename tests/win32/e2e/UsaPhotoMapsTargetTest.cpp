#include <windows.h>

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "ControlReader.h"
#include "TargetPrograms.h"
#include "ThirdWindow.h"

namespace tarvik::e2e {
namespace {

// USAPhotoMaps takes a west longitude as a positive number and nothing
// else: Tarvik types no longitude east of Greenwich or on it.
const TypedWaypoint kAlps{L"Alps", L"45.5", L"7.25"};
const TypedWaypoint kMeridian{L"Meridian", L"51.47788", L"0"};

class UsaPhotoMapsTarget : public TargetProgramTest {
 protected:
  void SetUp() override {
    ASSERT_NO_FATAL_FAILURE(TargetProgramTest::SetUp());
    ASSERT_NO_FATAL_FAILURE(LaunchBeside(kUsaPhotoMaps));
    map_ = NthDescendantOfClass(standin_main_, L"StandinMapView", 1);
    ASSERT_NE(map_, nullptr);
  }

  void ExpectPosition(const std::wstring& position) {
    EXPECT_EQ(TextSoon(map_, position), position);
    EXPECT_EQ(standin_->TopWindow(L"#32770"), nullptr) << "Esc closes the Go to dialog";
  }

  HWND map_ = nullptr;
};

TEST_F(UsaPhotoMapsTarget, SelectingAWaypointTypesItsPlaceAndAWestLongitudeOnly) {
  // Add is not offered with this target, so the waypoints come first; with
  // no Route Editor open, Add's jumps only ask for it.
  for (const auto& waypoint : {kFalls, kAlps, kMeridian}) ASSERT_NO_FATAL_FAILURE(Add(waypoint));
  ASSERT_NO_FATAL_FAILURE(ChooseTarget(L"USAPhotoMaps"));
  EXPECT_FALSE(Enabled("Command_Grab"));
  EXPECT_FALSE(Enabled("Command_New"));
  EXPECT_FALSE(Enabled("Command_Transit"));

  ASSERT_NO_FATAL_FAILURE(Select("List_Entire", kFalls));
  ExpectPosition(L"Position 48.50718 N, 111.86247 W");
  // The dialog keeps the longitude it was opened with.
  ASSERT_NO_FATAL_FAILURE(Select("List_Entire", kAlps));
  ExpectPosition(L"Position 45.50000 N, 111.86247 W");
  ASSERT_NO_FATAL_FAILURE(Select("List_Entire", kMeridian));
  ExpectPosition(L"Position 51.47788 N, 111.86247 W");
}

// The keys go in only once USAPhotoMaps is back on the screen and in front:
// none of them may land in the window that was in front before.
TEST_F(UsaPhotoMapsTarget, AMinimisedUSAPhotoMapsIsRestoredBeforeItIsTypedInto) {
  ASSERT_NO_FATAL_FAILURE(Add(kFalls));
  ASSERT_NO_FATAL_FAILURE(ChooseTarget(L"USAPhotoMaps"));
  ShowWindow(standin_main_, SW_MINIMIZE);
  ASSERT_TRUE(WaitUntil([&] { return IsIconic(standin_main_) != FALSE; }, kWindowLimit));
  ThirdWindow third;
  ASSERT_TRUE(third.ComeForward());

  ASSERT_NO_FATAL_FAILURE(Select("List_Entire", kFalls));
  EXPECT_FALSE(IsIconic(standin_main_));
  ExpectPosition(L"Position 48.50718 N, 111.86247 W");
  EXPECT_EQ(third.Typed(), L"");
  EXPECT_EQ(EntryTexts(), (std::vector<std::optional<std::wstring>>{
                              kFalls.name, kFalls.latitude, kFalls.longitude}));
}

}  // namespace
}  // namespace tarvik::e2e
