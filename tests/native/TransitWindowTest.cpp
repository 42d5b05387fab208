#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/native/TransitWindowFixture.h"
#include "transit/TransitWindowDesign.h"

namespace tarvik::transit {
namespace {

using platform::ControlKind;

constexpr platform::Twips kRolledDownClient = 4395;  // the roll-up bar's bottom
constexpr platform::Twips kRolledUpClient = 195;     // the roll-down bar alone

struct DesignRow {
  const char* name;
  ControlKind kind;
  float left, top, width, height;
  const char* caption;
  const char* tooltip;
  const char* parent;
};

TEST_F(TransitWindowTest, EveryControlAsDesigned) {
  Load();
  using K = ControlKind;
  const std::vector<DesignRow> rows = {
      {"Command_RollDown", K::PictureButton, 0, 0, 1935, 195, "", "Roll Transit Form down.", ""},
      {"Label2", K::Label, 120, 0, 1695, 255, "Placement Position is:", "", ""},
      {"Text_DX", K::TextBox, 120, 240, 855, 285, "TextDX", "East/West measurement.", ""},
      {"DXLabel", K::Label, 1080, 240, 855, 255, "DXLabel", "", ""},
      {"Text_DZ", K::TextBox, 120, 600, 855, 285, "TextDZ", "North/South measurement.", ""},
      {"DZLabel", K::Label, 1080, 600, 855, 255, "DZLabel", "", ""},
      {"Text_DY", K::TextBox, 120, 960, 855, 285, "TextDY", "Vertical measurement.", ""},
      {"DYLabel", K::Label, 1080, 960, 855, 255, "DYLabel", "", ""},
      {"Text_Horizontal", K::TextBox, 120, 1320, 855, 285, "TextHorizontal",
       "Absoulte horizontal measurement.", ""},
      {"HorizLabel", K::Label, 1080, 1320, 1095, 255, "XY Dist.", "", ""},
      {"Text_Absolute", K::TextBox, 120, 1680, 855, 285, "TextAbsolute",
       "Absoulte 3D measurement.", ""},
      {"AbsoluteLabel", K::Label, 1080, 1680, 975, 255, "XYZ Dist.", "Absolute 3D measurement.",
       ""},
      {"TextBearing", K::TextBox, 120, 2040, 855, 285, "TextBearing", "Bearing in degrees.", ""},
      {"BearingLabel", K::Label, 1080, 2040, 975, 255, "at Bearing", "", ""},
      {"Frame_Info", K::Frame, 0, 240, 1935, 2175, "", "", ""},
      {"Label_Info", K::Label, 120, 120, 1575, 1815,
       "For Transit to work correctly, the Route Editor's Placement, Camera, and Object Windows "
       "must be Open and Rolled Down.",
       "", "Frame_Info"},
      {"Option_WRT_0", K::OptionButton, 120, 2400, 1695, 255, "WRT The Object",
       "Measure with respect to the selected Object position.", ""},
      {"Option_WRT_1", K::OptionButton, 120, 2640, 1695, 255, "WRT The Camera",
       "Measure with respect to the Camera position.", ""},
      {"Frame1", K::Frame, 0, 2880, 1815, 375, "", "", ""},
      {"Option_Units_0", K::OptionButton, 120, 120, 855, 195, "Meters",
       "Measure distances in meters.", "Frame1"},
      {"Option_Units_1", K::OptionButton, 960, 120, 735, 195, "Feet", "Measure distances in feet.",
       "Frame1"},
      {"Label1", K::Label, 120, 3360, 255, 255, "lat:", "", ""},
      {"TextLatitude", K::TextBox, 400, 3360, 1350, 285, "", "Latitude of the placement position.",
       ""},
      {"Label3", K::Label, 120, 3660, 255, 255, "lon:", "", ""},
      {"TextLongitude", K::TextBox, 400, 3660, 1350, 285, "",
       "Longitude of the placement position.", ""},
      {"Check_OnTop", K::CheckBox, 120, 3960, 855, 255, "OnTop",
       "Check to keep RE Transit always on Top.", ""},
      {"Command_Rollup", K::PictureButton, 0, 4200, 1935, 195, "", "Roll Transit Form up.", ""},
  };
  EXPECT_EQ(TransitWindowControls().size(), rows.size());
  for (const DesignRow& row : rows) {
    const MemoryControl& control = Control(row.name);
    const platform::ControlDesign& layout = control.Layout();
    EXPECT_EQ(layout.kind, row.kind) << row.name;
    EXPECT_EQ(layout.rect.left, row.left) << row.name;
    EXPECT_EQ(layout.rect.top, row.top) << row.name;
    EXPECT_EQ(layout.rect.width, row.width) << row.name;
    EXPECT_EQ(layout.rect.height, row.height) << row.name;
    EXPECT_EQ(layout.caption, row.caption) << row.name;
    EXPECT_EQ(control.ToolTip(), row.tooltip) << row.name;
    EXPECT_EQ(layout.parent, row.parent) << row.name;
  }
  EXPECT_TRUE(Control("Frame_Info").Layout().info_colors);
  EXPECT_TRUE(Control("Frame_Info").Layout().covers_controls);
  EXPECT_TRUE(Control("Label_Info").Layout().info_colors);
  EXPECT_TRUE(Control("Label_Info").Layout().word_wrap);
  EXPECT_TRUE(Control("Option_WRT_0").Layout().group_start);
  EXPECT_FALSE(Control("Option_WRT_1").Layout().group_start);
  EXPECT_TRUE(Control("Option_Units_0").Layout().group_start);
  EXPECT_FALSE(Control("Option_Units_1").Layout().group_start);
}

TEST_F(TransitWindowTest, DesignedClientAreaBeforeLoading) {
  Form_RE_Transit form_only(*window, TransitServices{store, finder, {}, nullptr, {}});
  EXPECT_EQ(window->Caption(), "RE Transit");
  EXPECT_EQ(window->ClientWidth(), 1875);
  EXPECT_EQ(window->ClientHeight(), 4380);
  EXPECT_EQ(window->TimerInterval(), 500);
  EXPECT_FALSE(window->TimerEnabled());
}

TEST_F(TransitWindowTest, FirstStartOnAnEmptyStore) {
  Load();
  EXPECT_EQ(window->Left(), 1000);
  EXPECT_EQ(window->Top(), 1000);
  EXPECT_EQ(window->Width(), 1965);
  EXPECT_EQ(window->ClientHeight(), kRolledDownClient);
  EXPECT_FALSE(form->IsUp());
  EXPECT_FALSE(Control("Command_RollDown").Visible());
  EXPECT_EQ(Control("Option_WRT_0").Value(), 0);
  EXPECT_EQ(Control("Option_WRT_1").Value(), 1) << "WRT The Camera";
  EXPECT_FALSE(form->IsCamera());
  EXPECT_EQ(Control("Option_Units_0").Value(), 1) << "Meters";
  EXPECT_EQ(Control("Option_Units_1").Value(), 0);
  EXPECT_TRUE(form->IsMeters());
  EXPECT_EQ(form->UnitFactor(), 1.0);
  EXPECT_EQ(Control("Check_OnTop").Value(), 1);
  EXPECT_TRUE(window->Topmost());
  EXPECT_TRUE(form->IsOnTop());
  EXPECT_FALSE(InfoShown());
  EXPECT_TRUE(form->ResetPending());
  EXPECT_TRUE(window->TimerEnabled());
  EXPECT_EQ(window->TimerInterval(), 500);
  EXPECT_FALSE(window->Shown()) << "the Transit button shows it";
  EXPECT_TRUE(store.Writes().empty()) << "loading writes nothing";
}

TEST_F(TransitWindowTest, StoredPositionAndModesAreRestored) {
  store.Put("Settings", "TransitLeft", "2500.5");
  store.Put("Settings", "TransitTop", "-300");
  store.Put("Settings", "TransitWidth", "2400");
  store.Put("Settings", "TransitIsCamera", "True");
  store.Put("Settings", "TransitIsMeters", "False");
  Load();
  EXPECT_EQ(window->Left(), 2500.5);
  EXPECT_EQ(window->Top(), -300);
  EXPECT_EQ(window->Width(), 2400);
  EXPECT_EQ(Control("Option_WRT_0").Value(), 1) << "WRT The Object";
  EXPECT_EQ(Control("Option_WRT_1").Value(), 0);
  EXPECT_TRUE(form->IsCamera());
  EXPECT_EQ(Control("Option_Units_1").Value(), 1) << "Feet";
  EXPECT_EQ(Control("Option_Units_0").Value(), 0);
  EXPECT_EQ(form->UnitFactor(), 3.28084);
}

TEST_F(TransitWindowTest, UnreadableSettingsTakeTheDefaults) {
  store.Put("Settings", "TransitLeft", "left");
  store.Put("Settings", "TransitWidth", "");
  store.Put("Settings", "TransitIsUp", "yes");
  store.Put("Settings", "TransitIsMeters", "0");
  Load();
  EXPECT_EQ(window->Left(), 1000);
  EXPECT_EQ(window->Width(), 1965);
  EXPECT_FALSE(form->IsUp());
  EXPECT_TRUE(form->IsMeters());
}

// Texts that need 300 twips more than the design gives them.
TEST_F(TransitWindowTest, AWiderFontWidensTheWindowOverANarrowerStoredWidth) {
  window->SetFontOverflow(300);
  store.Put("Settings", "TransitWidth", "1965");
  Load();
  EXPECT_EQ(window->Width(), 1965 + 300) << "the stored width would cut the texts";

  store.Put("Settings", "TransitWidth", "2400");
  Reopen();
  EXPECT_EQ(window->Width(), 2400) << "a wider stored width stays";
}

TEST_F(TransitWindowTest, APositionOffEveryMonitorIsBroughtBack) {
  window->SetMonitors({{0, 0, 28800, 16200}});
  store.Put("Settings", "TransitLeft", "-9000");
  store.Put("Settings", "TransitTop", "20000");
  Load();
  EXPECT_EQ(window->Left(), 0);
  EXPECT_EQ(window->Top(), 16200 - window->Height());

  form->Form_Unload();
  store.Put("Settings", "TransitLeft", "-1000");
  store.Put("Settings", "TransitTop", "300");
  window = std::make_unique<MemoryFormWindow>(kToolFrame);
  Load();
  EXPECT_EQ(window->Left(), -1000) << "partly on the monitor: left as stored";
  EXPECT_EQ(window->Top(), 300);
}

TEST_F(TransitWindowTest, OpensOnTopEvenWhenStoredOtherwise) {
  store.Put("Settings", "TransitIsOnTop", "False");
  Load();
  EXPECT_EQ(Control("Check_OnTop").Value(), 1);
  EXPECT_TRUE(window->Topmost());
}

TEST_F(TransitWindowTest, OnTopClearedBeforeClosingIsOnAgainAfterReopening) {
  Load();
  Control("Check_OnTop").Click();
  EXPECT_EQ(Control("Check_OnTop").Value(), 0);
  EXPECT_FALSE(window->Topmost());
  EXPECT_FALSE(form->IsOnTop());
  Control("Check_OnTop").Click();
  EXPECT_TRUE(window->Topmost());
  EXPECT_TRUE(form->IsOnTop());
  Control("Check_OnTop").Click();

  Reopen();
  EXPECT_EQ(Control("Check_OnTop").Value(), 1);
  EXPECT_TRUE(window->Topmost());
  EXPECT_TRUE(form->IsOnTop());
  EXPECT_FALSE(store.Has("Settings", "TransitIsOnTop")) << "the on-top state is never written";
}

TEST_F(TransitWindowTest, UnloadWritesOnlyTheFiveKeys) {
  Load();
  window->SetLeft(3000);
  window->SetTop(1500.5);
  window->SetWidth(4000);
  form->Form_Unload();
  const std::vector<std::string> expected = {
      "Settings/TransitLeft=3000", "Settings/TransitTop=1500.5", "Settings/TransitIsUp=False",
      "Settings/TransitIsCamera=False", "Settings/TransitIsMeters=True"};
  EXPECT_EQ(store.Writes(), expected);
  EXPECT_TRUE(window->Destroyed());
  EXPECT_FALSE(window->TimerEnabled());
  EXPECT_TRUE(form->Unloaded());

  form->Form_Unload();
  EXPECT_EQ(store.Writes().size(), expected.size()) << "a second unload stores nothing";
}

TEST_F(TransitWindowTest, WidthIsNeverStored) {
  Load();
  window->SetWidth(3500);
  Reopen();
  EXPECT_EQ(window->Width(), 1965);
  EXPECT_FALSE(store.Has("Settings", "TransitWidth"));
  store.Put("Settings", "TransitWidth", "2200");
  window->SetWidth(3500);
  Reopen();
  EXPECT_EQ(window->Width(), 2200);
}

TEST_F(TransitWindowTest, ClosingMinimisedStoresNothing) {
  Load();
  window->SetMinimized(true);
  window->UserClose();
  EXPECT_TRUE(store.Writes().empty());
  EXPECT_TRUE(window->Destroyed());
  EXPECT_TRUE(form->Unloaded());
}

TEST_F(TransitWindowTest, ObjectReferenceAndFeetComeBackAfterReopening) {
  Load();
  Control("Option_WRT_0").Click();
  Control("Option_Units_1").Click();
  Reopen();
  EXPECT_EQ(Stored("TransitIsCamera"), "True") << "True means WRT The Object";
  EXPECT_EQ(Stored("TransitIsMeters"), "False");
  EXPECT_EQ(Control("Option_WRT_0").Value(), 1);
  EXPECT_EQ(Control("Option_WRT_1").Value(), 0);
  EXPECT_EQ(Control("Option_Units_1").Value(), 1);
  EXPECT_EQ(Control("Option_Units_0").Value(), 0);
  EXPECT_EQ(form->UnitFactor(), 3.28084);
}

TEST_F(TransitWindowTest, ClickingAnOptionUnchecksTheOtherOfItsPairOnly) {
  Load();
  Control("Option_WRT_0").Click();
  EXPECT_EQ(Control("Option_WRT_0").Value(), 1);
  EXPECT_EQ(Control("Option_WRT_1").Value(), 0);
  EXPECT_EQ(Control("Option_Units_0").Value(), 1) << "the unit pair is another group";
  EXPECT_TRUE(form->IsCamera());
  Control("Option_Units_1").Click();
  EXPECT_EQ(Control("Option_Units_0").Value(), 0);
  EXPECT_EQ(Control("Option_Units_1").Value(), 1);
  EXPECT_EQ(Control("Option_WRT_0").Value(), 1);
  EXPECT_FALSE(form->IsMeters());
  Control("Option_Units_0").Click();
  EXPECT_TRUE(form->IsMeters());
  EXPECT_EQ(form->UnitFactor(), 1.0);
  Control("Option_WRT_1").Click();
  EXPECT_FALSE(form->IsCamera());
}

TEST_F(TransitWindowTest, ReferenceOptionSetsResetPendingButUnitsDoNot) {
  Load();
  testing::AddRouteEditor(desktop);
  Tick();
  EXPECT_FALSE(form->ResetPending());
  Control("Option_Units_1").Click();
  EXPECT_FALSE(form->ResetPending());
  Control("Option_WRT_1").Click();
  EXPECT_TRUE(form->ResetPending()) << "even the option already selected";
}

TEST_F(TransitWindowTest, RollingUpStopsMeasuringAndRollingDownRestartsIt) {
  Load();
  form->Open();
  Control("Command_Rollup").Click();
  EXPECT_EQ(window->ClientHeight(), kRolledUpClient);
  EXPECT_TRUE(Control("Command_RollDown").Visible());
  EXPECT_TRUE(form->IsUp());
  EXPECT_FALSE(window->TimerEnabled());
  EXPECT_FALSE(window->FireTimer());
  EXPECT_EQ(window->Width(), 1965) << "rolling leaves the width";

  Control("Command_RollDown").Click();
  EXPECT_EQ(window->ClientHeight(), kRolledDownClient);
  EXPECT_FALSE(Control("Command_RollDown").Visible());
  EXPECT_FALSE(form->IsUp());
  EXPECT_TRUE(window->TimerEnabled());
}

TEST_F(TransitWindowTest, SetRollStateMeasuresTheFrameAsTheWindowReportsIt) {
  Load();
  form->SetRollState(0);
  EXPECT_EQ(window->Height(), kFrameHeight + 195);
  EXPECT_TRUE(form->IsUp());
  form->SetRollState(1);
  EXPECT_EQ(window->Height(), kFrameHeight + 4200 + 195);
  EXPECT_FALSE(form->IsUp());
  form->SetRollState(2);
  form->SetRollState(-1);
  EXPECT_EQ(window->Height(), kFrameHeight + 4395) << "other modes do nothing";
  EXPECT_FALSE(form->IsUp());
  EXPECT_TRUE(window->TimerEnabled()) << "SetRollState leaves the timer alone";
}

TEST_F(TransitWindowTest, OpensRolledUpAndStillMeasuresOnceOpened) {
  Load();
  Control("Command_Rollup").Click();
  Reopen();
  EXPECT_EQ(Stored("TransitIsUp"), "True");
  EXPECT_TRUE(form->IsUp());
  EXPECT_EQ(window->ClientHeight(), kRolledUpClient);
  EXPECT_TRUE(Control("Command_RollDown").Visible());
  form->Open();
  EXPECT_TRUE(window->TimerEnabled()) << "only the roll-up button stops the timer";
}

TEST_F(TransitWindowTest, OpenShowsAndMeasuresTenTimesASecondAgainAndAgain) {
  Load();
  form->Open();
  EXPECT_TRUE(window->Shown());
  EXPECT_TRUE(window->TimerEnabled());
  EXPECT_EQ(window->TimerInterval(), 100);

  form->HideAndStop();
  EXPECT_FALSE(window->Shown());
  EXPECT_FALSE(window->TimerEnabled());
  EXPECT_FALSE(window->FireTimer());

  form->Open();
  EXPECT_TRUE(window->Shown());
  EXPECT_TRUE(window->TimerEnabled());
  form->Open();
  EXPECT_TRUE(window->Shown());
}

TEST_F(TransitWindowTest, NothingHappensToAnUnloadedWindow) {
  Load();
  form->Form_Unload();
  form->Open();
  EXPECT_FALSE(window->Shown());
  EXPECT_FALSE(window->TimerEnabled());
}

TEST_F(TransitWindowTest, TickStopsTheTimerWhileItMeasuresAndRestartsIt) {
  std::vector<bool> enabled_during_pass;
  form = std::make_unique<Form_RE_Transit>(
      *window, TransitServices{store, finder,
                               [&] {
                                 enabled_during_pass.push_back(window->TimerEnabled());
                                 return true;
                               },
                               &texts, {}});
  form->Form_Load();
  form->Open();
  Tick();
  EXPECT_EQ(enabled_during_pass, std::vector<bool>{false});
  EXPECT_TRUE(window->TimerEnabled());
}

TEST_F(TransitWindowTest, MinimisedMainWindowFreezesTheValues) {
  const auto editor = testing::AddRouteEditor(desktop);
  Load();
  form->Open();
  Tick();
  Tick();
  const std::string before = Text("Text_DX");
  ASSERT_FALSE(before.empty());
  desktop.SetText(editor.placement_xyz[0], "500.000");
  main_window_normal = false;
  Tick();
  Tick();
  EXPECT_EQ(Text("Text_DX"), before);
  EXPECT_TRUE(window->TimerEnabled()) << "ticks keep coming";
  main_window_normal = true;
  Tick();
  EXPECT_NE(Text("Text_DX"), before);
}

TEST_F(TransitWindowTest, AMeasuringPassSpeedsTheTimerUpEvenBeforeOpening) {
  testing::AddRouteEditor(desktop);
  Load();
  EXPECT_EQ(window->TimerInterval(), 500);
  Tick();
  EXPECT_EQ(window->TimerInterval(), 100);
}

TEST_F(TransitWindowTest, AMessagePassLeavesTheInterval) {
  Load();
  Tick();
  EXPECT_TRUE(InfoShown());
  EXPECT_EQ(window->TimerInterval(), 500);
}

TEST_F(TransitWindowTest, OwnTextsWhenNoSharedRecordIsGiven) {
  testing::AddRouteEditor(desktop);
  form = std::make_unique<Form_RE_Transit>(*window, TransitServices{store, finder, {}, nullptr, {}});
  form->Form_Load();
  Tick();
  EXPECT_EQ(form->Texts().CameraTileX, "-5000");
  EXPECT_EQ(texts.CameraTileX, "") << "the fixture's record was not handed over";
}

TEST_F(TransitWindowTest, SharedTextsOutliveAClosedWindow) {
  const auto editor = testing::AddRouteEditor(desktop);
  Load();
  form->Open();
  Tick();
  for (auto window_handle : {editor.main, editor.camera.window, editor.object, editor.placement}) {
    desktop.Close(window_handle);
  }
  Reopen();
  form->Open();
  Tick();
  EXPECT_EQ(Info(),
            "For Transit to work correctly, the Route Editor's Placement, Camera, and Object "
            "Windows must be Open and Rolled Down.")
      << "the camera texts of the earlier window are still there";
}

}  // namespace
}  // namespace tarvik::transit
