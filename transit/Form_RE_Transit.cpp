#include "transit/Form_RE_Transit.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <string>
#include <utility>
#include <vector>

#include "app/Settings.h"
#include "app/WindowPlacement.h"
#include "transit/TransitWindowDesign.h"
#include "platform/ControlsByName.h"

namespace tarvik::transit {

namespace {

using app::kSettingsSection;

// The client area the design is laid out for.
constexpr platform::Twips kDesignClientWidth = 1875;
constexpr platform::Twips kDesignClientHeight = 4380;
// Between the longest text and the right edge when a wide font widens the
// window: Frame1's distance from it in the design.
constexpr platform::Twips kRightMargin = 60;

constexpr const char* kCaption = "RE Transit";

constexpr platform::Twips kDefaultLeft = 1000;
constexpr platform::Twips kDefaultTop = 1000;
constexpr platform::Twips kDefaultWidth = 1965;

constexpr std::int16_t kRollUp = 0;
constexpr std::int16_t kRollDown = 1;

// Option indexes: "WRT The Object" and "WRT The Camera", "Meters" and "Feet".
constexpr std::int16_t kWrtObject = 0;
constexpr std::int16_t kWrtCamera = 1;
constexpr std::int16_t kMeters = 0;
constexpr std::int16_t kFeet = 1;

constexpr double kMetresPerMetre = 1.0;
constexpr double kFeetPerMetre = 3.28084;

// Until the window is opened it measures at a leisurely pace.
constexpr int kFirstInterval = 500;
// Ten passes a second once the Transit button opens it.
constexpr int kOpenInterval = 100;

// The Route Editor's world is a sphere of this radius, in metres.
constexpr double kEarthRadius = 6370997.0;

RouteEditorLink::Clock SteadyUnlessGiven(RouteEditorLink::Clock clock) {
  if (clock) return clock;
  return [] {
    return std::chrono::duration_cast<std::chrono::milliseconds>(
        std::chrono::steady_clock::now().time_since_epoch());
  };
}

}  // namespace

Form_RE_Transit::Form_RE_Transit(platform::FormWindow& window, TransitServices services)
    : window_(window),
      services_(std::move(services)),
      texts_(services_.texts ? *services_.texts : own_texts_),
      link_(services_.finder, SteadyUnlessGiven(services_.clock)) {
  window_.SetCaption(kCaption);
  CreateControls();
  WireHandlers();
  // The frame's sizes are the platform's; the client area is the design's.
  window_.SetWidth(kDesignClientWidth + (window_.Width() - window_.ClientWidth()));
  window_.SetHeight(kDesignClientHeight + (window_.Height() - window_.ClientHeight()));
  window_.FitClientWidthToControls(kRightMargin);
  narrowest_width_ = window_.Width();
  window_.SetTimerHandler([this] { Timer1_Timer(); });
  window_.SetTimerInterval(kFirstInterval);
  window_.OnCloseRequest([this] { Form_Unload(0); });
}

void Form_RE_Transit::CreateControls() {
  platform::ControlsByName control(window_, TransitWindowControls());
  c_.Command_RollDown = control("Command_RollDown");
  c_.Text_DX = control("Text_DX");
  c_.DXLabel = control("DXLabel");
  c_.Text_DZ = control("Text_DZ");
  c_.DZLabel = control("DZLabel");
  c_.Text_DY = control("Text_DY");
  c_.DYLabel = control("DYLabel");
  c_.Text_Horizontal = control("Text_Horizontal");
  c_.Text_Absolute = control("Text_Absolute");
  c_.TextBearing = control("TextBearing");
  c_.Frame_Info = control("Frame_Info");
  c_.Label_Info = control("Label_Info");
  c_.Option_WRT = {control("Option_WRT_0"), control("Option_WRT_1")};
  c_.Option_Units = {control("Option_Units_0"), control("Option_Units_1")};
  c_.TextLatitude = control("TextLatitude");
  c_.TextLongitude = control("TextLongitude");
  c_.Check_OnTop = control("Check_OnTop");
  c_.Command_Rollup = control("Command_Rollup");
}

void Form_RE_Transit::WireHandlers() {
  c_.Check_OnTop->OnClick([this] { Check_OnTop_Click(); });
  c_.Command_Rollup->OnClick([this] { Command_Rollup_Click(); });
  c_.Command_RollDown->OnClick([this] { Command_RollDown_Click(); });
  for (std::int16_t index : {std::int16_t{0}, std::int16_t{1}}) {
    c_.Option_WRT[index]->OnClick([this, index] { Option_WRT_Click(index); });
    c_.Option_Units[index]->OnClick([this, index] { Option_Units_Click(index); });
  }
}

void Form_RE_Transit::Form_Load() {
  DegreesPerRadian_ = 360 / (8 * std::atan(1.0));
  UnitFactor_ = kMetresPerMetre;
  c_.Check_OnTop->SetValue(1);
  Check_OnTop_Click();
  window_.SetTimerEnabled(true);
  ResetPending_ = true;
  c_.Command_RollDown->SetVisible(false);
  ReadSettings();
  HideInfo();
  SetRollState(IsUp_ ? kRollUp : kRollDown);
  // As the main window: a position stored while another monitor was
  // plugged in must not open the window out of reach.
  app::KeepOnScreen(window_);
  // Selecting an option runs its click handler, which checks it.
  Option_WRT_Click(IsCamera_ ? kWrtObject : kWrtCamera);
  Option_Units_Click(IsMeters_ ? kMeters : kFeet);
  if (IsOnTop_) {
    c_.Check_OnTop->SetValue(1);
    window_.SetTopmost(true);
  }
  lobes_ = InitGoodeLobes(kEarthRadius);
}


void Form_RE_Transit::ReadSettings() {
  const auto& store = services_.settings;
  window_.SetLeft(app::ReadSingle(store, kSettingsSection, "TransitLeft", kDefaultLeft));
  window_.SetTop(app::ReadSingle(store, kSettingsSection, "TransitTop", kDefaultTop));
  // A stored width narrower than the texts need would cut them off.
  window_.SetWidth(std::max(
      app::ReadSingle(store, kSettingsSection, "TransitWidth", kDefaultWidth), narrowest_width_));
  IsOnTop_ = app::ReadBoolean(store, kSettingsSection, "TransitIsOnTop", true);
  IsUp_ = app::ReadBoolean(store, kSettingsSection, "TransitIsUp", false);
  IsCamera_ = app::ReadBoolean(store, kSettingsSection, "TransitIsCamera", false);
  IsMeters_ = app::ReadBoolean(store, kSettingsSection, "TransitIsMeters", true);
}

void Form_RE_Transit::Form_Unload(std::int16_t /*cancel*/) {
  // The user's close and the main window's closing sequence may both come.
  if (unloaded_) return;
  unloaded_ = true;
  if (!window_.IsMinimized()) StoreSettings();
  window_.SetTimerEnabled(false);
  window_.Destroy();
}

void Form_RE_Transit::StoreSettings() {
  auto& store = services_.settings;
  app::WriteSingle(store, kSettingsSection, "TransitLeft", window_.Left());
  app::WriteSingle(store, kSettingsSection, "TransitTop", window_.Top());
  app::WriteBoolean(store, kSettingsSection, "TransitIsUp", IsUp_);
  app::WriteBoolean(store, kSettingsSection, "TransitIsCamera", IsCamera_);
  app::WriteBoolean(store, kSettingsSection, "TransitIsMeters", IsMeters_);
}

void Form_RE_Transit::Open() {
  if (unloaded_) return;
  window_.Show();
  window_.SetTimerInterval(kOpenInterval);
  window_.SetTimerEnabled(true);
}

void Form_RE_Transit::HideAndStop() {
  if (unloaded_) return;
  window_.Hide();
  window_.SetTimerEnabled(false);
}

void Form_RE_Transit::SetRollState(std::int16_t mode) {
  if (mode != kRollUp && mode != kRollDown) return;
  // Measured from the window as it stands, so that the client area comes
  // out exact on any desktop theme.
  const platform::Twips frame = window_.Height() - window_.ClientHeight();
  if (mode == kRollUp) {
    c_.Command_RollDown->SetVisible(true);
    window_.SetHeight(frame + c_.Command_RollDown->Height());
    IsUp_ = true;
  } else {
    c_.Command_RollDown->SetVisible(false);
    window_.SetHeight(frame + c_.Command_Rollup->Top() + c_.Command_Rollup->Height());
    IsUp_ = false;
  }
}

void Form_RE_Transit::Timer1_Timer() {
  // Stopped while the pass runs, so that passes never overlap.
  window_.SetTimerEnabled(false);
  if (!services_.main_window_is_normal || services_.main_window_is_normal()) MeasurePlacement();
  window_.SetTimerEnabled(true);
}

void Form_RE_Transit::Check_OnTop_Click() {
  IsOnTop_ = c_.Check_OnTop->Value() == 1;
  window_.SetTopmost(IsOnTop_);
}

void Form_RE_Transit::Command_Rollup_Click() {
  SetRollState(kRollUp);
  IsUp_ = true;
  window_.SetTimerEnabled(false);
}

void Form_RE_Transit::Command_RollDown_Click() {
  SetRollState(kRollDown);
  IsUp_ = false;
  window_.SetTimerEnabled(true);
}

void Form_RE_Transit::CheckOnly(std::array<platform::Control*, 2>& group, std::int16_t index) {
  if (index != 0 && index != 1) return;
  group[static_cast<std::size_t>(index)]->SetValue(1);
  group[static_cast<std::size_t>(1 - index)]->SetValue(0);
}

void Form_RE_Transit::Option_Units_Click(std::int16_t index) {
  // A window system checks the option the user clicked and unchecks the
  // other of its pair; in-memory controls and the program's own selection
  // need it done here.
  CheckOnly(c_.Option_Units, index);
  IsMeters_ = c_.Option_Units[kMeters]->Value() == 1;
  UnitFactor_ = IsMeters_ ? kMetresPerMetre : kFeetPerMetre;
}

void Form_RE_Transit::Option_WRT_Click(std::int16_t index) {
  CheckOnly(c_.Option_WRT, index);
  ResetPending_ = true;
  IsCamera_ = c_.Option_WRT[kWrtObject]->Value() == 1;
}

}  // namespace tarvik::transit
