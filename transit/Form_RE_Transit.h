#pragma once

#include <array>
#include <cstdint>
#include <functional>

#include "platform/Control.h"
#include "platform/FormWindow.h"
#include "platform/SettingsStore.h"
#include "target/Module1.h"
#include "transit/GoodeInverse.h"
#include "transit/RouteEditorLink.h"
#include "transit/RouteEditorTexts.h"

namespace tarvik::transit {

struct TransitServices {
  platform::SettingsStore& settings;
  // Shared with the main window: the Route Editor's handles of the last scan.
  target::Module1& finder;
  // True while the main window is neither minimised nor maximised.
  std::function<bool()> main_window_is_normal;
  // The run's one record of Route Editor texts, which outlives a closed and
  // reopened Transit window; when null the window keeps its own.
  RouteEditorTexts* texts = nullptr;
  // Paces the tries of a Route Editor that has stopped answering; when
  // empty, the steady clock.
  RouteEditorLink::Clock clock;
};

// The RE Transit window's logic. It creates its controls on the window it is
// given and receives their events through the handlers below; its measuring
// pass runs on the window's timer.
class Form_RE_Transit {
 public:
  Form_RE_Transit(platform::FormWindow& window, TransitServices services);
  Form_RE_Transit(const Form_RE_Transit&) = delete;
  Form_RE_Transit& operator=(const Form_RE_Transit&) = delete;

  void Form_Load();
  // Stores the window's settings unless it is minimised, stops the timer
  // and destroys the window. Runs once; the close cannot be refused, so
  // `cancel` is unused.
  void Form_Unload(std::int16_t cancel = 0);
  bool Unloaded() const { return unloaded_; }

  // The main window's Transit button: shows the window, measuring ten times
  // a second; again when it is already shown.
  void Open();
  // The main window's switch to a target without a Transit window.
  void HideAndStop();

  // 0 rolls up, 1 rolls down, anything else does nothing.
  void SetRollState(std::int16_t mode);

  void Timer1_Timer();
  void Check_OnTop_Click();
  void Command_Rollup_Click();
  void Command_RollDown_Click();
  void Option_Units_Click(std::int16_t index);
  void Option_WRT_Click(std::int16_t index);

  // One measuring pass.
  void MeasurePlacement();

  bool IsUp() const { return IsUp_; }
  bool IsOnTop() const { return IsOnTop_; }
  bool IsCamera() const { return IsCamera_; }
  bool IsMeters() const { return IsMeters_; }
  double UnitFactor() const { return UnitFactor_; }
  bool ResetPending() const { return ResetPending_; }
  bool RefAtOrigin() const { return RefAtOrigin_; }
  double LatRad() const { return LatRad_; }
  double LonRad() const { return LonRad_; }
  const RouteEditorTexts& Texts() const { return texts_; }

 private:
  struct Controls {
    platform::Control* Command_RollDown;
    platform::Control* Text_DX;
    platform::Control* DXLabel;
    platform::Control* Text_DZ;
    platform::Control* DZLabel;
    platform::Control* Text_DY;
    platform::Control* DYLabel;
    platform::Control* Text_Horizontal;
    platform::Control* Text_Absolute;
    platform::Control* TextBearing;
    platform::Control* Frame_Info;
    platform::Control* Label_Info;
    std::array<platform::Control*, 2> Option_WRT;
    std::array<platform::Control*, 2> Option_Units;
    platform::Control* TextLatitude;
    platform::Control* TextLongitude;
    platform::Control* Check_OnTop;
    platform::Control* Command_Rollup;
  };

  struct Point {
    double x = 0;
    double y = 0;
    double z = 0;
  };

  void CreateControls();
  void WireHandlers();
  void ReadSettings();
  void StoreSettings();
  // Checks the option and unchecks the other of its pair.
  static void CheckOnly(std::array<platform::Control*, 2>& group, std::int16_t index);

  // The measuring pass's steps.
  bool ChooseReference(Point& reference);
  bool AllWindowsFound() const;
  void ShowInfo(const char* message);
  void HideInfo();
  void BlankOutputs();
  void ShowDifferences(const Point& placement, const Point& reference);
  void ShowLatitudeLongitude(const Point& placement);

  platform::FormWindow& window_;
  TransitServices services_;
  RouteEditorTexts own_texts_;
  RouteEditorTexts& texts_;
  RouteEditorLink link_;
  Controls c_{};
  bool unloaded_ = false;
  // The outer width at which every text fits.
  platform::Twips narrowest_width_ = 0;

  bool IsUp_ = false;
  bool IsOnTop_ = false;
  bool IsCamera_ = false;
  bool IsMeters_ = true;
  double UnitFactor_ = 1.0;
  double DegreesPerRadian_ = 0;
  bool ResetPending_ = false;
  bool RefAtOrigin_ = false;
  GoodeLobes lobes_;
  double LatRad_ = 0;
  double LonRad_ = 0;
};

}  // namespace tarvik::transit
