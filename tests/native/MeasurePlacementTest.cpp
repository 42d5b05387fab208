#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "tests/native/TransitWindowFixture.h"

namespace tarvik::transit {
namespace {

using platform::WindowHandle;

constexpr const char* kObjectNotRolledDown =
    "The Object Window is not Rolled Down or you may have to reselect the Object.";
constexpr const char* kNoObjectSelected = "There is no Object Selected.";
constexpr const char* kCameraNotRolledDown =
    "The Camera Window is not Rolled Down or you may have to change the Camera position.";
constexpr const char* kWindowsMissing =
    "For Transit to work correctly, the Route Editor's Placement, Camera, and Object Windows "
    "must be Open and Rolled Down.";

constexpr std::array<const char*, 11> kOutputs = {
    "Text_DX",       "DXLabel",         "Text_DY",     "DYLabel",      "Text_DZ",      "DZLabel",
    "Text_Absolute", "Text_Horizontal", "TextBearing", "TextLatitude", "TextLongitude"};

class MeasurePlacementTest : public TransitWindowTest {
 protected:
  // The Route Editor with its object at (100, 50, 200), the window opened
  // and measuring against the object, past the pass that blanks after load.
  void StartWithObjectReference() {
    editor = testing::AddRouteEditor(desktop);
    Load();
    form->Open();
    Control("Option_WRT_0").Click();
    Tick();
    ASSERT_TRUE(AllBlank());
  }
  void StartWithCameraReference() {
    editor = testing::AddRouteEditor(desktop);
    Load();
    form->Open();
    Tick();
    ASSERT_TRUE(AllBlank());
  }
  void Place(const std::string& x, const std::string& y, const std::string& z) {
    testing::SetTexts(desktop, editor.placement_xyz, x, y, z);
  }
  void Object(const std::string& x, const std::string& y, const std::string& z) {
    testing::SetTexts(desktop, editor.object_xyz, x, y, z);
  }
  void Camera(const std::string& x, const std::string& y, const std::string& z) {
    testing::SetTexts(desktop, {editor.camera.x, editor.camera.y, editor.camera.z}, x, y, z);
  }
  void CameraTile(const std::string& x, const std::string& z) {
    desktop.SetText(editor.camera.tile_x, x);
    desktop.SetText(editor.camera.tile_z, z);
  }
  bool AllBlank() {
    for (const char* output : kOutputs) {
      if (!Text(output).empty()) return false;
    }
    return !InfoShown();
  }

  testing::RouteEditor editor;
};

// Each write redraws a box ten times a second: a pass that finds what the
// last one found writes nothing, and one change writes only its boxes.
TEST_F(MeasurePlacementTest, APassWritesOnlyWhatChanged) {
  StartWithObjectReference();
  Place("110", "50", "210");
  Tick();
  auto writes = [&] {
    int total = 0;
    for (const char* output : kOutputs) total += Control(output).Writes();
    return total + Control("Frame_Info").Writes() + Control("Label_Info").Writes();
  };
  const int after_first = writes();
  Tick();
  EXPECT_EQ(writes(), after_first);

  Place("110", "60", "210");  // 10 m higher: DY and the XYZ distance change
  Tick();
  EXPECT_EQ(writes(), after_first + 2);
  EXPECT_EQ(Text("DYLabel"), "Above");
  EXPECT_EQ(Text("Text_DY"), "10.00");
}

TEST_F(MeasurePlacementTest, NorthEastOfTheObjectInMetres) {
  StartWithObjectReference();
  Place("110", "50", "210");
  Tick();
  EXPECT_EQ(Text("Text_DX"), "10.00");
  EXPECT_EQ(Text("DXLabel"), "East");
  EXPECT_EQ(Text("Text_DZ"), "10.00");
  EXPECT_EQ(Text("DZLabel"), "North");
  EXPECT_EQ(Text("Text_DY"), "0.00");
  EXPECT_EQ(Text("DYLabel"), "Above");
  EXPECT_EQ(Text("Text_Horizontal"), "14.14");
  EXPECT_EQ(Text("Text_Absolute"), "14.14");
  EXPECT_EQ(Text("TextBearing"), "45.00");
  EXPECT_FALSE(InfoShown());
  EXPECT_FALSE(Control("Label_Info").Visible());
}

TEST_F(MeasurePlacementTest, WestAndBelow) {
  StartWithObjectReference();
  Place("90", "45", "210");
  Tick();
  EXPECT_EQ(Text("Text_DX"), "10.00");
  EXPECT_EQ(Text("DXLabel"), "West");
  EXPECT_EQ(Text("Text_DZ"), "10.00");
  EXPECT_EQ(Text("DZLabel"), "North");
  EXPECT_EQ(Text("Text_DY"), "5.00");
  EXPECT_EQ(Text("DYLabel"), "Below");
  EXPECT_EQ(Text("TextBearing"), "315.00");
  EXPECT_EQ(Text("Text_Absolute"), "15.00");  // sqrt(100 + 25 + 100)
  EXPECT_EQ(Text("Text_Horizontal"), "14.14");
}

TEST_F(MeasurePlacementTest, BearingsOfTheFourQuarters) {
  StartWithObjectReference();
  Place("110", "50", "190");
  Tick();
  EXPECT_EQ(Text("TextBearing"), "135.00");
  EXPECT_EQ(Text("DZLabel"), "South");
  Place("90", "50", "190");
  Tick();
  EXPECT_EQ(Text("TextBearing"), "225.00");
  Place("100.5", "50", "200");
  Tick();
  EXPECT_EQ(Text("TextBearing"), "90.00") << "due east";
  Place("99.5", "50", "200");
  Tick();
  EXPECT_EQ(Text("TextBearing"), "270.00") << "due west";
}

TEST_F(MeasurePlacementTest, ZeroDifferencesAreEastAboveNorthWithNoBearing) {
  StartWithObjectReference();
  Place("100.000", "50.000", "200.000");
  Tick();
  EXPECT_EQ(Text("Text_DX"), "0.00");
  EXPECT_EQ(Text("DXLabel"), "East");
  EXPECT_EQ(Text("Text_DY"), "0.00");
  EXPECT_EQ(Text("DYLabel"), "Above");
  EXPECT_EQ(Text("Text_DZ"), "0.00");
  EXPECT_EQ(Text("DZLabel"), "North");
  EXPECT_EQ(Text("TextBearing"), "?");
  EXPECT_EQ(Text("Text_Absolute"), "0.00");
}

TEST_F(MeasurePlacementTest, BearingNeedsMoreThanATenthEastOrWest) {
  StartWithObjectReference();
  Place("100.05", "50", "700");
  Tick();
  EXPECT_EQ(Text("TextBearing"), "?") << "0.05 m east, 500 m north";
  EXPECT_EQ(Text("DZLabel"), "North");
  EXPECT_EQ(Text("Text_DZ"), "500.00");

  Control("Option_Units_1").Click();
  Tick();
  EXPECT_EQ(Text("Text_DX"), "0.16") << "0.164 ft";
  EXPECT_EQ(Text("TextBearing"), "0.01") << "90 - atan(10000) in degrees";
}

TEST_F(MeasurePlacementTest, ATenthExactlyIsStillNoBearing) {
  StartWithCameraReference();
  Camera("0", "1", "0");
  Place("0.1", "1", "5");
  Tick();
  EXPECT_EQ(Text("TextBearing"), "?");
  Place("0.1000001", "1", "5");
  Tick();
  EXPECT_NE(Text("TextBearing"), "?");
  Place("-0.1", "1", "5");
  Tick();
  EXPECT_EQ(Text("TextBearing"), "?");
  EXPECT_EQ(Text("DXLabel"), "West");
}

TEST_F(MeasurePlacementTest, FeetScaleEveryDifferenceAndDistanceButNotTheCoordinates) {
  StartWithObjectReference();
  Place("110", "50", "210");
  CameraTile("-11000", "14300");
  Tick();
  const std::string latitude = Text("TextLatitude");
  const std::string longitude = Text("TextLongitude");
  Control("Option_Units_1").Click();
  Tick();
  EXPECT_EQ(Text("Text_DX"), "32.81");
  EXPECT_EQ(Text("Text_DZ"), "32.81");
  EXPECT_EQ(Text("Text_Horizontal"), "46.40");
  EXPECT_EQ(Text("Text_Absolute"), "46.40");
  EXPECT_EQ(Text("TextBearing"), "45.00");
  EXPECT_EQ(Text("TextLatitude"), latitude);
  EXPECT_EQ(Text("TextLongitude"), longitude);
}

TEST_F(MeasurePlacementTest, PlacementMinusTheCamera) {
  StartWithCameraReference();
  Camera("100.000", "20.000", "-300.000");
  Place("95.5", "26", "-290");
  Tick();
  EXPECT_EQ(Text("Text_DX"), "4.50");
  EXPECT_EQ(Text("DXLabel"), "West");
  EXPECT_EQ(Text("Text_DY"), "6.00");
  EXPECT_EQ(Text("DYLabel"), "Above");
  EXPECT_EQ(Text("Text_DZ"), "10.00");
  EXPECT_EQ(Text("DZLabel"), "North");
}

TEST_F(MeasurePlacementTest, SwitchingTheReferenceBlanksForExactlyOnePass) {
  StartWithCameraReference();
  Tick();
  EXPECT_EQ(Text("Text_DX"), "10.00") << "110 against the camera's 100";
  Control("Option_WRT_0").Click();
  Tick();
  EXPECT_TRUE(AllBlank());
  EXPECT_FALSE(form->ResetPending());
  Tick();
  EXPECT_EQ(Text("Text_DX"), "10.00");
  EXPECT_EQ(Text("Text_DZ"), "10.00") << "210 against the object's 200";
  EXPECT_EQ(Text("DZLabel"), "North");
  Control("Option_WRT_1").Click();
  Tick();
  EXPECT_TRUE(AllBlank());
  Tick();
  EXPECT_EQ(Text("Text_DZ"), "510.00") << "210 against the camera's -300";
}

TEST_F(MeasurePlacementTest, ABlankingPassRestartsTheTimer) {
  editor = testing::AddRouteEditor(desktop);
  Load();
  window->SetTimerEnabled(false);
  form->MeasurePlacement();
  EXPECT_TRUE(AllBlank());
  EXPECT_TRUE(window->TimerEnabled());
}

TEST_F(MeasurePlacementTest, ObjectWindowRolledUpOrNoObjectSelected) {
  StartWithObjectReference();
  Tick();
  ASSERT_EQ(Text("Text_DX"), "10.00");
  Object("", "", "");
  Tick();
  EXPECT_TRUE(InfoShown());
  EXPECT_TRUE(Control("Label_Info").Visible());
  EXPECT_EQ(Info(), kObjectNotRolledDown);
  EXPECT_EQ(Text("Text_DX"), "10.00") << "the values stay under the message";
  Object("0.000", "0.000", "0.000");
  Tick();
  EXPECT_EQ(Info(), kNoObjectSelected);
  EXPECT_EQ(Text("TextBearing"), "45.00");
  Object("100.000", "50.000", "200.000");
  Tick();
  EXPECT_FALSE(InfoShown());
  EXPECT_FALSE(Control("Label_Info").Visible());
}

TEST_F(MeasurePlacementTest, OnlyTheExactTextMeansNoObject) {
  StartWithObjectReference();
  for (const char* zero : {"0", "0.00", " 0.000", "0.0000", "-0.000"}) {
    Object(zero, "5", "0");
    Tick();
    EXPECT_FALSE(InfoShown()) << "'" << zero << "'";
    EXPECT_EQ(Text("Text_DY"), "45.00") << "'" << zero << "'";
  }
}

TEST_F(MeasurePlacementTest, CameraWindowRolledUp) {
  StartWithCameraReference();
  Camera("", "", "");
  Tick();
  EXPECT_TRUE(InfoShown());
  EXPECT_EQ(Info(), kCameraNotRolledDown);
}

TEST_F(MeasurePlacementTest, ReferenceAtTheOriginBlanksWithoutAMessage) {
  StartWithCameraReference();
  Tick();
  ASSERT_EQ(Text("Text_DX"), "10.00");
  Camera("0.000", "0", " 0 ");
  Tick();
  EXPECT_TRUE(form->RefAtOrigin());
  EXPECT_TRUE(AllBlank());
  Tick();
  EXPECT_TRUE(AllBlank()) << "every pass while the reference reads (0, 0, 0)";
  Camera("0.000", "0.001", "0");
  Tick();
  EXPECT_FALSE(form->RefAtOrigin());
  EXPECT_EQ(Text("Text_DX"), "110.00");
}

TEST_F(MeasurePlacementTest, RouteEditorNeverRunShowsTheRollDownMessageFirst) {
  Load();
  form->Open();
  Tick();
  EXPECT_TRUE(InfoShown());
  EXPECT_EQ(Info(), kCameraNotRolledDown);
  Control("Option_WRT_0").Click();
  Tick();
  EXPECT_EQ(Info(), kObjectNotRolledDown);
  EXPECT_EQ(Text("Text_DX"), "TextDX") << "nothing measured, nothing blanked";
}

TEST_F(MeasurePlacementTest, RouteEditorClosedAfterItRan) {
  StartWithCameraReference();
  Tick();
  for (auto window_handle : {editor.main, editor.camera.window, editor.object, editor.placement}) {
    desktop.Close(window_handle);
  }
  Tick();
  EXPECT_TRUE(InfoShown());
  EXPECT_EQ(Info(), kWindowsMissing);
  EXPECT_EQ(Text("Text_DX"), "10.00");
}

TEST_F(MeasurePlacementTest, AnyOneWindowMissingShowsTheOpenAndRollDownMessage) {
  StartWithObjectReference();
  desktop.Close(editor.placement);
  Tick();
  EXPECT_EQ(Info(), kWindowsMissing);
  EXPECT_TRUE(InfoShown());
}

TEST_F(MeasurePlacementTest, TextsThatDoNotParseCountAsZero) {
  StartWithObjectReference();
  Place("abc", " 5 0 ", "2e2 m");
  Tick();
  EXPECT_EQ(Text("Text_DX"), "100.00");
  EXPECT_EQ(Text("DXLabel"), "West");
  EXPECT_EQ(Text("Text_DY"), "0.00") << "blanks inside a number are ignored";
  EXPECT_EQ(Text("Text_DZ"), "0.00");
}

TEST_F(MeasurePlacementTest, WorkedLatitudeAndLongitude) {
  StartWithCameraReference();
  CameraTile("-11000", "14300");
  Place("0", "0", "0");
  Tick();
  EXPECT_EQ(Text("TextLatitude"), "39.62406");
  EXPECT_EQ(Text("TextLongitude"), "-75.10789");
  CameraTile("-11000", "14500");
  Tick();
  EXPECT_EQ(Text("TextLatitude"), "43.32701");
  EXPECT_EQ(Text("TextLongitude"), "-74.04157");
}

TEST_F(MeasurePlacementTest, CoordinatesUseTheCameraTileWhateverTheReference) {
  StartWithObjectReference();
  CameraTile("-11000", "14300");
  Place("0", "0", "0");
  Tick();
  EXPECT_EQ(Text("TextLatitude"), "39.62406");
  EXPECT_EQ(Text("TextLongitude"), "-75.10789");
}

TEST_F(MeasurePlacementTest, CoordinatesWithinADegreeHaveNoLeadingZero) {
  StartWithCameraReference();
  // Tile -6584 at x = -827 and tile 12176 at z = -443 is x = y = 55597 m,
  // in lobe 3: latitude 55597 / R.
  CameraTile("-6584", "12176");
  Place("-827", "0", "-443");
  Tick();
  EXPECT_EQ(Text("TextLatitude"), ".50000");
  EXPECT_EQ(Text("TextLongitude"), ".49887");
  // y = -55597 m, in lobe 8.
  CameraTile("-6584", "12121");
  Place("-827", "0", "1003");
  Tick();
  EXPECT_EQ(Text("TextLatitude"), "-.50000");
}

TEST_F(MeasurePlacementTest, NoPointOfTheProjectionShowsQuestionMarks) {
  StartWithCameraReference();
  CameraTile("-11000", "14300");
  Place("0", "0", "0");
  Tick();
  ASSERT_EQ(Text("TextLatitude"), "39.62406");
  // Tile Z 16384 lies above the top of the Mollweide band: nothing written.
  CameraTile("-11000", "16384");
  Tick();
  EXPECT_EQ(Text("TextLatitude"), "?");
  EXPECT_EQ(Text("TextLongitude"), "?");
  EXPECT_NEAR(form->LatRad(), 0.6915703, 1e-7) << "the window keeps the last values written";
  // 50 km west of the 40 W cut at 30 N: a break between lobes, where both
  // outputs are written.
  CameraTile("-8808", "13777");
  Place("0", "0", "0");
  Tick();
  EXPECT_EQ(Text("TextLatitude"), "?");
  EXPECT_EQ(Text("TextLongitude"), "?");
  CameraTile("-11000", "14300");
  Tick();
  EXPECT_EQ(Text("TextLatitude"), "39.62406");
  EXPECT_EQ(Text("TextLongitude"), "-75.10789");
}

// A number too large for a double is no number: every box worked out from
// it shows "?" for that pass and its direction word is blank; the other
// boxes show what they would have shown.
TEST_F(MeasurePlacementTest, ANumberTooLargeForADoubleMakesItsBoxesUnknownForThatPass) {
  StartWithObjectReference();
  CameraTile("-11000", "14300");
  Place("110", "50", "210");
  Tick();
  std::map<std::string, std::string> healthy;
  for (const char* output : kOutputs) healthy[output] = Text(output);
  ASSERT_EQ(healthy["TextBearing"], "45.00");

  const std::set<std::string> x = {"Text_DX", "DXLabel", "TextBearing", "Text_Absolute",
                                   "Text_Horizontal"};
  const std::set<std::string> y = {"Text_DY", "DYLabel", "Text_Absolute"};
  const std::set<std::string> z = {"Text_DZ", "DZLabel", "TextBearing", "Text_Absolute",
                                   "Text_Horizontal"};
  const std::set<std::string> position = {"TextLatitude", "TextLongitude"};
  auto with = [](std::set<std::string> a, const std::set<std::string>& b) {
    a.insert(b.begin(), b.end());
    return a;
  };
  const struct {
    WindowHandle text;
    const char* huge;
    std::set<std::string> unknown;
  } rows[] = {
      {editor.placement_xyz[0], "1E999", with(x, position)},
      {editor.placement_xyz[1], "1E999", y},
      {editor.placement_xyz[2], "-1E999", with(z, position)},
      {editor.object_xyz[0], "-1e999", x},
      {editor.object_xyz[1], "1E+999", y},
      {editor.object_xyz[2], "1E999", z},
      {editor.camera.tile_x, "1E999", position},
      {editor.camera.tile_z, "-1E999", position},
  };
  for (const auto& row : rows) {
    const std::string before = desktop.TextOf(row.text);
    desktop.SetText(row.text, row.huge);
    Tick();
    for (const char* output : kOutputs) {
      const bool word = std::string(output).ends_with("Label");
      const std::string expected =
          row.unknown.count(output) ? (word ? "" : "?") : healthy[output];
      EXPECT_EQ(Text(output), expected) << output << " with " << row.huge << " in #" << row.text;
    }
    EXPECT_FALSE(InfoShown());
    desktop.SetText(row.text, before);
    Tick();
    for (const char* output : kOutputs) EXPECT_EQ(Text(output), healthy[output]) << output;
  }
}

// A Route Editor that stops answering: a pass ends at its first unanswered
// message and says so; until the Route Editor answers again, a pass sends
// it at most one short message, at most once a second.
TEST_F(MeasurePlacementTest, ASilentRouteEditorIsAskedOnceASecondUntilItAnswers) {
  StartWithObjectReference();
  Place("110", "50", "210");
  Tick();
  ASSERT_EQ(Text("TextBearing"), "45.00");
  const std::string shown_before = Text("Text_DX");

  desktop.StopAnsweringAfter(0);
  std::vector<std::chrono::milliseconds> asked_at;
  std::vector<std::string> asked;
  for (; now < std::chrono::milliseconds(5000); now += std::chrono::milliseconds(100)) {
    desktop.own_log.clear();
    Tick();
    EXPECT_LE(desktop.own_log.size(), 1u) << "one message per pass at most";
    if (!desktop.own_log.empty()) {
      asked_at.push_back(now);
      asked.push_back(desktop.own_log.front().substr(0, desktop.own_log.front().find(' ')));
    }
    EXPECT_TRUE(InfoShown());
    EXPECT_EQ(Info(), "Route Editor is not responding.");
    EXPECT_EQ(Text("Text_DX"), shown_before) << "the values are left as they were";
  }
  ASSERT_EQ(asked.size(), 5u) << "the first pass, then once a second";
  EXPECT_EQ(asked.front(), "gettext");
  EXPECT_EQ(std::count(asked.begin(), asked.end(), "ping"), 4);
  for (size_t i = 1; i < asked_at.size(); ++i) {
    EXPECT_EQ(asked_at[i] - asked_at[i - 1], std::chrono::milliseconds(1000));
  }

  // Answering again: the next try finds it, and that pass measures.
  desktop.StopAnsweringAfter(-1);
  Place("120", "50", "210");
  for (int i = 0; i < 11 && InfoShown(); ++i, now += std::chrono::milliseconds(100)) Tick();
  EXPECT_FALSE(InfoShown());
  EXPECT_EQ(Text("Text_DX"), "20.00");
}

TEST_F(MeasurePlacementTest, ASilentRouteEditorThatClosesIsMissingNoLonger) {
  StartWithObjectReference();
  desktop.StopAnsweringAfter(0);
  Tick();
  ASSERT_EQ(Info(), "Route Editor is not responding.");
  for (WindowHandle window : {editor.main, editor.camera.window, editor.object, editor.placement}) {
    desktop.Close(window);
  }
  now += std::chrono::milliseconds(100);
  Tick();
  EXPECT_EQ(Info(), kWindowsMissing);
}

}  // namespace
}  // namespace tarvik::transit
