// The main window's jumps: driving the selected target program to the
// current waypoint.
#include "app/AppInfo.h"
#include "app/Form_Tarvik.h"
#include "target/LeadingNumber.h"

namespace tarvik::app {

namespace {

using platform::KeyStroke;
using Kind = KeyStroke::Kind;

constexpr int kButtonHeldMs = 200;
constexpr int kRepeatFirstJumpMs = 200;
constexpr int kCameraLongitudeEdit = 4;
constexpr int kTargetRouteEditor = 0;
constexpr int kTargetMosaic = 1;
constexpr int kTargetUSAPhotoMaps = 2;

// USAPhotoMaps takes west longitudes as positive numbers and nothing at
// all for the others.
std::string WestLongitudeKeys(const std::string& longitude) {
  auto value = target::LeadingNumber(longitude);
  return value && *value < 0 ? target::PlainDecimal(-*value) : std::string();
}

}  // namespace

void Form_Tarvik::JumpToCurrent() {
  services_.system.DoEvents();
  if (LastRow_.empty()) {
    LastRow_ = CurrentRow_;
    c_.Command_Last->SetEnabled(true);
  }
  switch (TargetApp()) {
    case kTargetRouteEditor:
      JumpRouteEditor();
      // The Route Editor misses the first jump of a run now and then.
      if (IsFirstREJump_) {
        services_.system.Sleep(kRepeatFirstJumpMs);
        JumpRouteEditor();
        IsFirstREJump_ = false;
      }
      break;
    case kTargetMosaic:
      JumpMosaic();
      break;
    case kTargetUSAPhotoMaps:
      JumpUSAPhotoMaps();
      break;
    default:
      JumpRouteEditor();
  }
  if (IsOnTop_) window_.SetTopmost(true);
}

void Form_Tarvik::PleaseOpen(std::string_view what) {
  services_.messages.Warn("Please Open " + std::string(what), kAppTitle);
}

void Form_Tarvik::PressButton(platform::WindowHandle button) {
  auto& windows = services_.finder.Windows();
  windows.ButtonDown(button);
  services_.system.Sleep(kButtonHeldMs);
  windows.ButtonUp(button);
}

void Form_Tarvik::JumpRouteEditor() {
  auto& finder = services_.finder;
  finder.FindRouteEditorWindows();
  if (finder.CameraWnd == 0) return PleaseOpen("the Route Editor Camera Window.");
  SetCameraPosition(Cur_.Longitude, Cur_.Latitude);
  PressButton(finder.Windows().FindChild(finder.CameraWnd, 0, "Button"));
  AddRecent(CurrentRow_);
  if (finder.TrainSimWnd != 0) finder.ActivateWindow(finder.TrainSimWnd);
}

void Form_Tarvik::SetCameraPosition(const std::string& longitude, const std::string& latitude) {
  auto& finder = services_.finder;
  finder.FindRouteEditorWindows();
  if (finder.CameraWnd == 0) return PleaseOpen("the Route Editor Camera Window.");
  auto& windows = finder.Windows();
  // A lookup after a missing one starts again from the first Edit.
  auto next_edit = [&](platform::WindowHandle after) {
    return windows.FindChild(finder.CameraWnd, after, "Edit");
  };
  platform::WindowHandle edit = 0;
  for (int i = 0; i < kCameraLongitudeEdit; ++i) edit = next_edit(edit);
  windows.SetText(edit, longitude);
  platform::WindowHandle latitude_edit = next_edit(next_edit(edit));
  windows.SetText(latitude_edit, latitude);
  windows.ButtonDown(latitude_edit);
  windows.ButtonUp(latitude_edit);
}

void Form_Tarvik::JumpMosaic() {
  auto& finder = services_.finder;
  finder.FindMosaicControls();
  if (finder.MosaicField0 == 0) return PleaseOpen("Mosaic.");
  SetMosaicPosition(Cur_.Longitude + "d", Cur_.Latitude + "d");
  PressButton(finder.MosaicGoControl);
  AddRecent(CurrentRow_);
  if (finder.MosaicField0 != 0) finder.ActivateWindow(finder.MosaicField0);
}

void Form_Tarvik::SetMosaicPosition(const std::string& longitude, const std::string& latitude) {
  auto& finder = services_.finder;
  finder.FindMosaicControls();
  if (finder.MosaicField0 == 0) return PleaseOpen("Mosaic.");
  finder.Windows().SetText(finder.MosaicLonField, longitude);
  finder.Windows().SetText(finder.MosaicLatField, latitude);
}

void Form_Tarvik::JumpUSAPhotoMaps() {
  auto& finder = services_.finder;
  platform::WindowHandle photo_maps = 0;
  finder.FindWindowByPattern(photo_maps, 0, "*", "USAPhotoMaps");
  if (photo_maps == 0) return PleaseOpen("USAPhotoMaps.");
  std::string longitude_keys = WestLongitudeKeys(Cur_.Longitude);
  finder.ActivateWindow(photo_maps);
  auto& windows = finder.Windows();
  windows.SendKeys({{Kind::AltChord, "V"}, {Kind::Key, "G"}});
  windows.SendKeys({{Kind::Text, Cur_.Latitude}});
  windows.SendKeys({{Kind::Tab, "", 3}});
  if (!longitude_keys.empty()) windows.SendKeys({{Kind::Text, longitude_keys}});
  windows.SendKeys({{Kind::Enter}});
  windows.SendKeys({{Kind::Escape}});
  AddRecent(CurrentRow_);
}

void Form_Tarvik::Combo_WhichApp_Click() {
  const int target = TargetApp();
  c_.Command_Grab->SetEnabled(target != kTargetUSAPhotoMaps);
  c_.Command_New->SetEnabled(target != kTargetUSAPhotoMaps);
  c_.Command_Transit->SetEnabled(target != kTargetMosaic && target != kTargetUSAPhotoMaps);
  if (target == kTargetMosaic || target == kTargetUSAPhotoMaps) services_.windows.HideTransitWindow();
}

}  // namespace tarvik::app
