#include "target/Module1.h"

#include <gtest/gtest.h>

#include "target/LeadingNumber.h"
#include "target/PatternMatch.h"
#include "tests/native/TargetDesktop.h"

namespace tarvik::target {
namespace {

using namespace tarvik::testing;

class FinderTest : public ::testing::Test {
 protected:
  FakeDesktop desktop;
  Module1 finder{desktop};
};

TEST_F(FinderTest, FindsTheRouteEditorWindowsByClassAndLabelPosition) {
  WindowHandle train_sim = desktop.AddTopLevel("TrainSim", "Route Editor");
  WindowHandle object = AddLabelledWindow(desktop, 3);
  CameraWindow camera = AddCamera(desktop);
  WindowHandle placement = AddLabelledWindow(desktop, 5);
  finder.FindRouteEditorWindows();
  EXPECT_EQ(finder.TrainSimWnd, train_sim);
  EXPECT_EQ(finder.CameraWnd, camera.window);
  EXPECT_EQ(finder.ObjectWnd, object);
  EXPECT_EQ(finder.PlacementWnd, placement);
  EXPECT_EQ(finder.FoundCount, 4);
  EXPECT_EQ(finder.SearchDepth, 0);

  desktop.Close(camera.window);
  finder.FindRouteEditorWindows();
  EXPECT_EQ(finder.CameraWnd, 0u) << "nothing is kept from one search to the next";
}

// The Transit window searches ten times a second; texts of other classes
// cannot mark a window, so they are not read.
TEST_F(FinderTest, OnlyTheTextsOfStaticWindowsAreRead) {
  desktop.AddTopLevel("TrainSim", "Route Editor");
  AddCamera(desktop);
  WindowHandle filler = desktop.AddTopLevel("Filler");
  for (int i = 0; i < 20; ++i) desktop.AddChild(filler, i % 2 ? "Edit" : "Button", "x:");
  WindowHandle statics = desktop.AddTopLevel("Filler");
  for (int i = 0; i < 3; ++i) desktop.AddChild(statics, "Static", "label");
  finder.FindRouteEditorWindows();
  ASSERT_NE(finder.CameraWnd, 0u);
  // The Camera window's four Statics and the three labels.
  EXPECT_EQ(desktop.title_reads, 4 + 3);
}

TEST_F(FinderTest, WithoutTrainSimACameraShapedWindowIsStillFound) {
  CameraWindow camera = AddCamera(desktop);
  finder.FindRouteEditorWindows();
  EXPECT_EQ(finder.TrainSimWnd, 0u);
  EXPECT_EQ(finder.CameraWnd, camera.window);
}

TEST_F(FinderTest, LabelsAtOtherPositionsOrInAnotherCaseAreIgnored) {
  AddLabelledWindow(desktop, 4);
  AddLabelledWindow(desktop, 11, "X:");
  AddLabelledWindow(desktop, 11, "x:", "Edit");
  AddLabelledWindow(desktop, 12);
  finder.FindRouteEditorWindows();
  EXPECT_EQ(finder.CameraWnd, 0u);
  EXPECT_EQ(finder.ObjectWnd, 0u);
  EXPECT_EQ(finder.PlacementWnd, 0u);
  EXPECT_EQ(finder.FoundCount, 0);
}

TEST_F(FinderTest, CountingRestartsForEachTopLevelWindowAndNestsDepthFirst) {
  // Position 3 reached through a grandchild: child 1, its child 2, then 3.
  WindowHandle object = desktop.AddTopLevel("ToolWindow");
  WindowHandle group = desktop.AddChild(object, "Static", "group");
  desktop.AddChild(group, "Static", "inner");
  desktop.AddChild(object, "Static", "x:");
  WindowHandle second = AddLabelledWindow(desktop, 3);
  finder.FindRouteEditorWindows();
  EXPECT_EQ(finder.ObjectWnd, second) << "a later find of the same kind overwrites";
  EXPECT_EQ(finder.FoundCount, 2);
}

TEST_F(FinderTest, TheSearchStopsAtTheFifthFind) {
  desktop.AddTopLevel("TrainSim");
  AddLabelledWindow(desktop, 3);
  AddLabelledWindow(desktop, 5);
  CameraWindow first_camera = AddCamera(desktop);
  WindowHandle spinner_parent = AddLabelledWindow(desktop, 31, "", "msctls_updown32");
  AddCamera(desktop);  // after the fifth find: never visited
  finder.FindRouteEditorWindows();
  EXPECT_EQ(finder.FoundCount, 5);
  EXPECT_EQ(finder.SpinnerParentWnd, spinner_parent);
  EXPECT_EQ(finder.CameraWnd, first_camera.window);
  EXPECT_FALSE(finder.KeepEnumerating);
}

TEST_F(FinderTest, WhenTheFifthFindIsTrainSimTheNextDescendantStops) {
  AddLabelledWindow(desktop, 3);
  AddLabelledWindow(desktop, 5);
  CameraWindow camera = AddCamera(desktop);
  AddLabelledWindow(desktop, 31, "", "msctls_updown32");
  desktop.AddTopLevel("ToolWindow", "no descendants");  // nothing to stop at yet
  WindowHandle train_sim = desktop.AddTopLevel("TrainSim");
  AddCamera(desktop);  // its first descendant ends the search
  finder.FindRouteEditorWindows();
  EXPECT_EQ(finder.TrainSimWnd, train_sim);
  EXPECT_EQ(finder.FoundCount, 5);
  EXPECT_EQ(finder.CameraWnd, camera.window);
  EXPECT_EQ(finder.ChildIndex, 1);
}

TEST_F(FinderTest, MosaicIsTheFirstMatchingTopLevelWindowInZOrder) {
  desktop.AddTopLevel("Other", "mosaic lower case");
  MosaicWindow first = AddMosaic(desktop, "Mosaic - first");
  AddMosaic(desktop, "Mosaic - second");
  finder.FindMosaicControls();
  EXPECT_EQ(finder.MosaicField0, first.k0);
  EXPECT_EQ(finder.MosaicLatField, first.latitude);
  EXPECT_EQ(finder.MosaicLonField, first.longitude);
  EXPECT_EQ(finder.MosaicGoControl, first.k4);
  EXPECT_EQ(finder.SearchDepth, 0);
}

TEST_F(FinderTest, MosaicWithoutAControlBarIsNotOpen) {
  WindowHandle main = desktop.AddTopLevel("MosaicFrame", "Mosaic");
  desktop.AddChild(main, "Static", "map");
  finder.FindMosaicControls();
  EXPECT_EQ(finder.MosaicField0, 0u);
  EXPECT_EQ(finder.MosaicLatField, 0u);
  EXPECT_EQ(finder.MosaicLonField, 0u);
  EXPECT_EQ(finder.MosaicGoControl, 0u);
  desktop.Close(main);
  desktop.AddTopLevel("Other", "mosaic");
  finder.FindMosaicControls();
  EXPECT_EQ(finder.MosaicField0, 0u);
}

TEST_F(FinderTest, APatternSearchLeavesTheLastMatchWritten) {
  WindowHandle top = desktop.AddTopLevel("Frame", "Top");
  WindowHandle inner = desktop.AddChild(top, "Panel", "Mosaic inner");
  WindowHandle deeper = desktop.AddChild(inner, "Panel", "Mosaic deeper");
  WindowHandle found = 0;
  EXPECT_EQ(finder.FindWindowByPattern(found, 0, "Mosaic*", "*"), 0)
      << "no top-level window matched";
  EXPECT_EQ(found, inner) << "written after its own subtree's match";
  (void)deeper;
  WindowHandle photo = desktop.AddTopLevel("USAPhotoMaps", "");
  found = 0;
  EXPECT_EQ(finder.FindWindowByPattern(found, 0, "*", "USAPhotoMaps"), 1);
  EXPECT_EQ(found, photo);
}

TEST_F(FinderTest, AMinimisedWindowIsOnlyRestored) {
  WindowHandle window = desktop.AddTopLevel("TrainSim");
  desktop.SetMinimized(window, true);
  finder.ActivateWindow(window);
  EXPECT_EQ(desktop.own_log, std::vector<std::string>{"restore #" + std::to_string(window)});
  finder.ActivateWindow(window);
  EXPECT_EQ(desktop.own_log.back(), "foreground #" + std::to_string(window));
}

TEST(PatternMatch, WholeTextCaseSensitiveWithStars) {
  EXPECT_TRUE(MatchesPattern("Mosaic", "Mosaic*"));
  EXPECT_TRUE(MatchesPattern("Mosaic - Route 7", "Mosaic*"));
  EXPECT_FALSE(MatchesPattern("mosaic", "Mosaic*"));
  EXPECT_FALSE(MatchesPattern("A Mosaic", "Mosaic*"));
  EXPECT_TRUE(MatchesPattern("", "*"));
  EXPECT_TRUE(MatchesPattern("AfxControlBar70s", "AfxControlBar70s"));
  EXPECT_FALSE(MatchesPattern("AfxControlBar70s2", "AfxControlBar70s"));
  EXPECT_TRUE(MatchesPattern("abcabd", "*ab*d"));
  EXPECT_FALSE(MatchesPattern("abcabe", "*ab*d"));
  EXPECT_TRUE(MatchesPattern("a?b", "a?b"));
  EXPECT_FALSE(MatchesPattern("axb", "a?b")) << "only * is special";
}

TEST(LeadingNumber, TheOneRuleForNumbersInTexts) {
  EXPECT_EQ(LeadingNumber("-111.86247"), -111.86247);
  EXPECT_EQ(LeadingNumber(" - 1 1 1 . 5 "), -111.5) << "blanks ignored anywhere";
  EXPECT_EQ(LeadingNumber("48.5d"), 48.5);
  EXPECT_EQ(LeadingNumber("4.5E1x"), 45.0);
  EXPECT_EQ(LeadingNumber("12e"), 12.0);
  EXPECT_EQ(LeadingNumber(".5"), 0.5);
  EXPECT_EQ(LeadingNumber("1.2.3"), 1.2);
  EXPECT_EQ(LeadingNumber("+3"), 3.0);
  EXPECT_EQ(LeadingNumber("abc"), 0.0);
  EXPECT_EQ(LeadingNumber(""), 0.0);
  EXPECT_EQ(LeadingNumber("1,5"), 1.0);
  EXPECT_EQ(LeadingNumber("1e-999"), 0.0);
  EXPECT_FALSE(LeadingNumber("-1E999").has_value());
}

TEST(PlainDecimal, FifteenDigitsWithoutExponentOrLeadingZero) {
  EXPECT_EQ(PlainDecimal(111.86247), "111.86247");
  EXPECT_EQ(PlainDecimal(0.5), ".5");
  EXPECT_EQ(PlainDecimal(180), "180");
  EXPECT_EQ(PlainDecimal(1.0 / 3), ".333333333333333");
  EXPECT_EQ(PlainDecimal(0.00001), ".00001");
  EXPECT_EQ(PlainDecimal(123456789.123456789), "123456789.123457");
}

}  // namespace
}  // namespace tarvik::target
