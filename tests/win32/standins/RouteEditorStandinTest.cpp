#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <optional>
#include <string>
#include <vector>

#include "FinderView.h"
#include "RefusalLog.h"
#include "Remote.h"
#include "StandinProcess.h"
#include "standins/common/StandinText.h"
#include "transit/GoodeForward.h"

namespace tarvik::standins::testing {
namespace {

// Five decimals of a degree are at most 0.56 m on the ground.
constexpr double kFiveDecimalsInMetres = 0.6;

class RouteEditorStandin : public ::testing::Test {
 protected:
  void SetUp() override {
    process_ = StandinProcess::Start(L"routeeditor.exe", log_.Switch());
    ASSERT_TRUE(process_) << "routeeditor.exe did not start";
    ASSERT_TRUE(process_->WaitForWindow(L"TrainSim"));
    // The tool windows come up with the main window; wait for all of them.
    ASSERT_TRUE(WaitUntil(
        [&] {
          finds_ = FindRouteEditorWindows(process_->Id());
          return finds_.camera && finds_.object && finds_.placement;
        },
        milliseconds(5000)));
  }

  std::wstring Text(HWND window) { return RemoteText(window).value_or(L"<no answer>"); }
  std::wstring CameraChild(int n) { return Text(NthChild(finds_.camera, n)); }

  // The Route Editor jump as Tarvik makes it: longitude and latitude into
  // the 4th and 6th Edit, a click into the latitude, then the first Button
  // held for 200 ms.
  void Jump(const std::wstring& latitude, const std::wstring& longitude) {
    HWND longitude_edit = NthChildOfClass(finds_.camera, L"Edit", 4);
    HWND latitude_edit = NthChildOfClass(finds_.camera, L"Edit", 6);
    ASSERT_TRUE(SetRemoteText(longitude_edit, longitude));
    ASSERT_TRUE(SetRemoteText(latitude_edit, latitude));
    ASSERT_TRUE(Press(latitude_edit, 0));
    ASSERT_TRUE(Press(NthChildOfClass(finds_.camera, L"Button", 1), kButtonHoldMs));
  }

  std::wstring Summary() {
    return Text(FirstDescendantOfClass(finds_.train_sim, L"StandinMapView"));
  }

  RefusalLog log_;
  std::optional<StandinProcess> process_;
  RouteEditorFinds finds_;
};

TEST_F(RouteEditorStandin, FinderFindsTheMainWindowAndEachToolWindowOnce) {
  EXPECT_EQ(TitleOf(finds_.train_sim), L"Route Editor (stand-in)");
  EXPECT_EQ(TitleOf(finds_.camera), L"Camera");
  EXPECT_EQ(TitleOf(finds_.object), L"Object");
  EXPECT_EQ(TitleOf(finds_.placement), L"Placement");
  EXPECT_EQ(finds_.camera_finds, 1);
  EXPECT_EQ(finds_.object_finds, 1);
  EXPECT_EQ(finds_.placement_finds, 1);
  for (HWND tool : {finds_.camera, finds_.object, finds_.placement}) {
    EXPECT_EQ(GetAncestor(tool, GA_ROOT), tool) << "each tool window is a top-level window";
    EXPECT_EQ(GetWindow(tool, GW_OWNER), finds_.train_sim);
  }
  // The fifth find: with it, Tarvik's search stops.
  EXPECT_EQ(finds_.spinner_parent, finds_.train_sim) << "the brush panel's last spinner";
  EXPECT_EQ(finds_.spinner_finds, 1);
  EXPECT_EQ(ClassOf(NthChild(finds_.train_sim, 31)), L"msctls_updown32");
  EXPECT_EQ(NthChild(finds_.train_sim, 32), nullptr);
}

TEST_F(RouteEditorStandin, CameraChildrenStandWhereTarvikReadsAndWritesThem) {
  const std::vector<std::wstring> expected = {
      L"Edit",   L"Edit",   L"Edit",   L"Edit",   L"Edit",   L"Edit",   L"Edit",   L"Edit",
      L"Button", L"Static", L"Static", L"Static", L"Static", L"Static", L"Static", L"Static"};
  EXPECT_EQ(ChildClasses(finds_.camera), expected);
  EXPECT_EQ(NthChildOfClass(finds_.camera, L"Edit", 4), NthChild(finds_.camera, 4));
  EXPECT_EQ(NthChildOfClass(finds_.camera, L"Edit", 6), NthChild(finds_.camera, 6));
  EXPECT_EQ(Text(NthChildOfClass(finds_.camera, L"Button", 1)), L"Move camera");
  EXPECT_EQ(Text(NthChild(finds_.camera, 11)), L"x:");
  // At start the camera stands over the example tile.
  EXPECT_EQ(CameraChild(4), L"-75.10789");
  EXPECT_EQ(CameraChild(6), L"39.62406");
  EXPECT_EQ(CameraChild(7), L"-11000");
  EXPECT_EQ(CameraChild(8), L"14300");
  EXPECT_EQ(CameraChild(2), L"60.000");
}

TEST_F(RouteEditorStandin, JumpMovesTheCameraToTheTileOfThePlace) {
  Jump(L"48.50718", L"-111.86247");
  const auto expected = transit::TilePositionOf(transit::LatLonRadians{
      48.50718 * std::numbers::pi / 180, -111.86247 * std::numbers::pi / 180});
  ASSERT_TRUE(expected);
  EXPECT_EQ(CameraChild(4), L"-111.86247");
  EXPECT_EQ(CameraChild(6), L"48.50718");
  EXPECT_EQ(CameraChild(7), std::to_wstring(expected->tile_x));
  EXPECT_EQ(CameraChild(8), std::to_wstring(expected->tile_z));
  EXPECT_EQ(CameraChild(1), Fixed(expected->x, 3));
  EXPECT_EQ(CameraChild(3), Fixed(expected->z, 3));
  EXPECT_EQ(CameraChild(2), L"60.000") << "the height stays";
  EXPECT_NE(CameraChild(7), L"-11000");
}

TEST_F(RouteEditorStandin, WorkedExamplesLandNearTheCentreOfTheirTiles) {
  Jump(L"48.50718", L"-111.86247");
  Jump(L"43.32701", L"-74.04157");
  EXPECT_EQ(CameraChild(7), L"-11000");
  EXPECT_EQ(CameraChild(8), L"14500");
  EXPECT_NEAR(LeadingNumber(CameraChild(1)).value_or(99), 0, kFiveDecimalsInMetres);
  EXPECT_NEAR(LeadingNumber(CameraChild(3)).value_or(99), 0, kFiveDecimalsInMetres);

  Jump(L"39.62406", L"-75.10789");
  EXPECT_EQ(CameraChild(7), L"-11000");
  EXPECT_EQ(CameraChild(8), L"14300");
  EXPECT_NEAR(LeadingNumber(CameraChild(1)).value_or(99), 0, kFiveDecimalsInMetres);
  EXPECT_NEAR(LeadingNumber(CameraChild(3)).value_or(99), 0, kFiveDecimalsInMetres);
}

TEST_F(RouteEditorStandin, PlaceOffTheMapLeavesTheCameraWhereItWas) {
  Jump(L"95", L"-111.86247");
  EXPECT_EQ(CameraChild(7), L"-11000");
  EXPECT_EQ(CameraChild(8), L"14300");
  EXPECT_EQ(CameraChild(6), L"95") << "the typed text stays for the user to correct";
  EXPECT_EQ(log_.Lines(), std::vector<std::string>{"Refused: 95, -111.86247 is off the map"});
}

// Only a number alone moves the camera: anything else, such as a unit or a
// "d" after it, is refused, shown and logged.
TEST_F(RouteEditorStandin, ATextThatIsNotANumberAloneIsRefusedShownAndLogged) {
  const struct {
    std::wstring latitude, longitude;
    std::string refusal;
  } wrong[] = {
      {L"48.50718d", L"-111.86247", "Refused: latitude \"48.50718d\" is not a number"},
      {L"48.50718", L"-111.86247 ", "Refused: longitude \"-111.86247 \" is not a number"},
      {L"", L"-111.86247", "Refused: latitude \"\" is not a number"},
  };
  std::vector<std::string> expected;
  for (const auto& row : wrong) {
    Jump(row.latitude, row.longitude);
    EXPECT_EQ(CameraChild(7), L"-11000") << "the camera stays";
    const std::wstring shown(row.refusal.begin(), row.refusal.end());
    EXPECT_NE(Summary().find(shown), std::wstring::npos) << Summary();
    expected.push_back(row.refusal);
  }
  EXPECT_EQ(log_.Lines(), expected);
}

TEST_F(RouteEditorStandin, ObjectChildrenHoldTheObjectAndClearShowsNoneSelected) {
  EXPECT_EQ(ChildClasses(finds_.object),
            (std::vector<std::wstring>{L"Static", L"Static", L"Static", L"Static", L"Static",
                                       L"Button", L"Edit", L"Edit", L"Edit", L"Button"}));
  EXPECT_EQ(Text(NthChild(finds_.object, 7)), L"100.000");
  EXPECT_EQ(Text(NthChild(finds_.object, 8)), L"50.000");
  EXPECT_EQ(Text(NthChild(finds_.object, 9)), L"200.000");

  ASSERT_TRUE(Press(FindWindowExW(finds_.object, nullptr, L"Button", L"Clear"), kButtonHoldMs));
  EXPECT_EQ(Text(NthChild(finds_.object, 7)), L"0.000");
  EXPECT_EQ(Text(NthChild(finds_.object, 2)), L"(none)");

  ASSERT_TRUE(Press(FindWindowExW(finds_.object, nullptr, L"Button", L"Select"), kButtonHoldMs));
  EXPECT_EQ(Text(NthChild(finds_.object, 7)), L"100.000");
}

TEST_F(RouteEditorStandin, PlacementChildrenHoldThePlacementAndTheMainWindowShowsIt) {
  EXPECT_EQ(Text(NthChild(finds_.placement, 11)), L"110.000");
  EXPECT_EQ(Text(NthChild(finds_.placement, 12)), L"50.000");
  EXPECT_EQ(Text(NthChild(finds_.placement, 13)), L"210.000");
  EXPECT_EQ(NthChild(finds_.placement, 14), nullptr);

  ASSERT_TRUE(SetRemoteText(NthChild(finds_.placement, 11), L"123.456"));
  EXPECT_EQ(Text(NthChild(finds_.placement, 11)), L"123.456");
  HWND summary = FirstDescendantOfClass(finds_.train_sim, L"StandinMapView");
  EXPECT_NE(Text(summary).find(L"Placement   x 123.456  y 50.000  z 210.000"), std::wstring::npos)
      << Text(summary);
}

TEST_F(RouteEditorStandin, MainWindowSumsUpTheCameraAfterAJump) {
  Jump(L"48.50718", L"-111.86247");
  HWND summary = FirstDescendantOfClass(finds_.train_sim, L"StandinMapView");
  EXPECT_EQ(Text(summary).rfind(L"Camera at 48.50718, -111.86247   tile " + CameraChild(7), 0), 0u)
      << Text(summary);
}

// Tarvik must see a closed tool window as missing, so closing one destroys
// it; the Tools menu brings it back as it was at the start.
TEST_F(RouteEditorStandin, ClosedToolWindowIsGoneUntilTheToolsMenuOpensItAgain) {
  constexpr WPARAM kToolsObject = 2;  // the Tools menu's second command
  DWORD_PTR ignored = 0;
  ASSERT_TRUE(SendMessageTimeoutW(finds_.object, WM_CLOSE, 0, 0, SMTO_ABORTIFHUNG, 2000, &ignored));
  EXPECT_FALSE(IsWindow(finds_.object));
  RouteEditorFinds after_close = FindRouteEditorWindows(process_->Id());
  EXPECT_EQ(after_close.object, nullptr);
  EXPECT_EQ(after_close.camera, finds_.camera);
  EXPECT_EQ(after_close.placement, finds_.placement);
  HWND summary = FirstDescendantOfClass(finds_.train_sim, L"StandinMapView");
  EXPECT_NE(Text(summary).find(L"Object window closed"), std::wstring::npos) << Text(summary);

  ASSERT_TRUE(SendMessageTimeoutW(finds_.train_sim, WM_COMMAND, kToolsObject, 0, SMTO_ABORTIFHUNG,
                                  2000, &ignored));
  RouteEditorFinds reopened = FindRouteEditorWindows(process_->Id());
  ASSERT_NE(reopened.object, nullptr);
  EXPECT_EQ(reopened.object_finds, 1);
  EXPECT_TRUE(IsWindowVisible(reopened.object));
  EXPECT_EQ(Text(NthChild(reopened.object, 7)), L"100.000");
}

}  // namespace
}  // namespace tarvik::standins::testing
