#include <windows.h>

#include <gtest/gtest.h>

#include <cmath>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "ControlReader.h"
#include "Geometry.h"
#include "SettingsRegistry.h"
#include "TarvikFixture.h"
#include "WindowSearch.h"
#include "app/win32/WindowClasses.h"

namespace tarvik::e2e {
namespace {

using namespace std::string_literals;

using app::win32::kMainClass;
using app::win32::kSplashClass;

const std::wstring kVersionText = L"Version " TARVIK_E2E_VERSION;

// Times since the program was started, and the splash as first seen.
struct StartTimeline {
  std::optional<milliseconds> splash_shown;
  std::optional<milliseconds> splash_gone;
  std::optional<milliseconds> main_shown;
  std::wstring splash_product;
  std::wstring splash_version;
  Geometry splash_geometry;
  bool splash_has_title_bar = false;
};

void RecordSplash(HWND splash, StartTimeline& timeline) {
  // The splash's thread sleeps: only texts the window manager keeps can be
  // read, and the labels' are.
  timeline.splash_product = StoredTextOf(GetDlgItem(splash, SplashControlId("lblProductName")));
  timeline.splash_version = StoredTextOf(GetDlgItem(splash, SplashControlId("lblVersion")));
  timeline.splash_geometry = GeometryOf(splash);
  timeline.splash_has_title_bar = HasStyle(splash, WS_CAPTION);
}

StartTimeline WatchStart(DWORD process_id, Clock::time_point started) {
  StartTimeline timeline;
  HWND splash = nullptr;
  WaitUntil(
      [&] {
        if (!splash && (splash = VisibleTopWindowOf(process_id, kSplashClass))) {
          timeline.splash_shown = Since(started);
          RecordSplash(splash, timeline);
        }
        bool splash_gone = splash && (!IsWindow(splash) || !IsWindowVisible(splash));
        if (splash_gone && !timeline.splash_gone) timeline.splash_gone = Since(started);
        if (!VisibleTopWindowOf(process_id, kMainClass)) return false;
        timeline.main_shown = Since(started);
        return true;
      },
      kStartLimit, milliseconds(2));
  return timeline;
}

RECT PrimaryWorkArea() {
  MONITORINFO info{};
  info.cbSize = sizeof info;
  GetMonitorInfoW(MonitorFromPoint({0, 0}, MONITOR_DEFAULTTOPRIMARY), &info);
  return info.rcWork;
}

class FirstStart : public TarvikTest {};

TEST_F(FirstStart, SplashShowsTitleAndVersionForTwoSecondsThenTheMainWindowOpens) {
  std::filesystem::path exe = BuiltTarvikExe();
  Clock::time_point started = Clock::now();
  ASSERT_NO_FATAL_FAILURE(Start(exe, exe.parent_path()));
  StartTimeline timeline = WatchStart(process_->Id(), started);

  ASSERT_TRUE(timeline.splash_shown.has_value()) << "no splash before the main window";
  ASSERT_TRUE(timeline.main_shown.has_value()) << "no main window";
  ASSERT_TRUE(timeline.splash_gone.has_value()) << "the splash stayed with the main window";
  EXPECT_LE(*timeline.splash_gone, *timeline.main_shown);
  EXPECT_GE(*timeline.main_shown, milliseconds(2000));
  // Polled every 2 ms: the splash was seen within a few ms of showing.
  EXPECT_GE(*timeline.main_shown - *timeline.splash_shown, milliseconds(1950));

  EXPECT_EQ(timeline.splash_product, L"Tarvik");
  EXPECT_EQ(timeline.splash_version, kVersionText);
  EXPECT_FALSE(timeline.splash_has_title_bar);
  const Geometry& splash = timeline.splash_geometry;
  EXPECT_TRUE(IsTwips(splash.ClientWidth(), 6000, splash.dpi));
  EXPECT_TRUE(IsTwips(splash.ClientHeight(), 2340, splash.dpi));
  RECT work = PrimaryWorkArea();
  EXPECT_LE(std::abs((splash.outer.left + splash.outer.right) - (work.left + work.right)), 1);
  EXPECT_LE(std::abs((splash.outer.top + splash.outer.bottom) - (work.top + work.bottom)), 1);
}

TEST_F(FirstStart, MainWindowOpensUntitledWideRolledDownAtTheDefaultPlaceAndStoresThat) {
  ASSERT_NO_FATAL_FAILURE(Launch());
  EXPECT_TRUE(TopWindowsOf(process_->Id(), kSplashClass).empty());
  EXPECT_EQ(StoredTextOf(main_), L"untitled");

  Geometry main = GeometryOf(main_);
  EXPECT_TRUE(IsTwips(main.Left(), 1000, main.dpi));
  EXPECT_TRUE(IsTwips(main.Top(), 1000, main.dpi));
  EXPECT_TRUE(IsTwips(main.OuterWidth(), 4740, main.dpi));
  EXPECT_TRUE(IsTwips(main.ClientHeight(), 4275, main.dpi));

  // A fixed border, a close box, no maximize or minimize box, a menu bar.
  EXPECT_FALSE(HasStyle(main_, WS_THICKFRAME));
  EXPECT_FALSE(HasStyle(main_, WS_MAXIMIZEBOX));
  EXPECT_FALSE(HasStyle(main_, WS_MINIMIZEBOX));
  EXPECT_TRUE(HasStyle(main_, WS_SYSMENU));
  EXPECT_NE(GetMenu(main_), nullptr);
  EXPECT_FALSE(HasExStyle(main_, WS_EX_TOPMOST));

  ASSERT_FALSE(ReadTarvikSetting(L"IsWide").has_value())
      << "written before closing" << OtherCopies();
  ASSERT_NO_FATAL_FAILURE(ExpectCleanExitAfter(WM_CLOSE));

  EXPECT_EQ(ReadTarvikSetting(L"IsWide"), L"True"s) << OtherCopies();
  EXPECT_EQ(ReadTarvikSetting(L"IsUp"), L"False"s) << OtherCopies();
  EXPECT_EQ(ReadTarvikSetting(L"IsOnTop"), L"False"s) << OtherCopies();
  EXPECT_EQ(ReadTarvikSetting(L"WhichApp"), L"0"s) << OtherCopies();
  for (const wchar_t* key : {L"MainLeft", L"MainTop"}) {
    std::optional<std::wstring> twips = ReadTarvikSetting(key);
    ASSERT_TRUE(twips.has_value()) << key << OtherCopies();
    // The window stands on a whole pixel near 1000 twips.
    EXPECT_LT(std::abs(std::stod(*twips) - 1000), 1440.0 / main.dpi) << key << " = " << *twips;
  }
}

TEST_F(FirstStart, ControlsShowTheirCaptionsAndStatesWithTheRouteEditorChosen) {
  ASSERT_NO_FATAL_FAILURE(Launch());
  const std::vector<std::pair<const char*, std::wstring>> captions = {
      {"Label4", L"WP"},           {"Label2", L"Lat:"},
      {"Label3", L"Lon:"},         {"Label1", L"WP List"},
      {"Label_Recent", L"Recent WP List"}, {"Command_Grab", L"Grab"},
      {"Command_New", L"Add"},     {"Command_Width", L"Narrow"},
      {"Command_Last", L"Last"},   {"Command_Delete", L"Delete"},
      {"Command_Transit", L"Transit"}, {"Check_OnTop", L"On Top"},
  };
  for (const auto& [name, caption] : captions) {
    EXPECT_EQ(TextOf(MainControl(main_, name)), caption) << name;
  }
  for (const char* name : {"Text_Waypoint", "Text_Latitude", "Text_Longitude"}) {
    EXPECT_EQ(TextOf(MainControl(main_, name)), L""s) << name;
  }

  for (const char* name : {"Command_Grab", "Command_New", "Command_Width", "Command_Transit",
                           "Check_OnTop", "Combo_WhichApp"}) {
    EXPECT_TRUE(IsWindowEnabled(MainControl(main_, name))) << name;
  }
  EXPECT_FALSE(IsWindowEnabled(MainControl(main_, "Command_Delete")));
  EXPECT_FALSE(IsWindowEnabled(MainControl(main_, "Command_Last")));

  EXPECT_FALSE(IsWindowVisible(MainControl(main_, "Command_ShowList")));
  EXPECT_FALSE(IsWindowVisible(MainControl(main_, "Command_RollDown")));
  for (const char* name : {"List_Entire", "List_Recent", "Command_Rollup"}) {
    EXPECT_TRUE(IsWindowVisible(MainControl(main_, name))) << name;
  }
  EXPECT_EQ(Ask(MainControl(main_, "List_Entire"), LB_GETCOUNT), 0);
  EXPECT_EQ(Ask(MainControl(main_, "List_Recent"), LB_GETCOUNT), 0);
  EXPECT_EQ(Ask(MainControl(main_, "Check_OnTop"), BM_GETCHECK), BST_UNCHECKED);

  HWND combo = MainControl(main_, "Combo_WhichApp");
  ASSERT_NE(combo, nullptr);
  EXPECT_EQ(Ask(combo, CB_GETCOUNT), 3);
  EXPECT_EQ(Ask(combo, CB_GETCURSEL), 0);
  EXPECT_EQ(ComboItem(combo, 0), L"MSTS RE"s);
  EXPECT_EQ(ComboItem(combo, 1), L"Mosaic"s);
  EXPECT_EQ(ComboItem(combo, 2), L"USAPhotoMaps"s);
  EXPECT_EQ(TextOf(combo), L"MSTS RE"s);
}

}  // namespace
}  // namespace tarvik::e2e
