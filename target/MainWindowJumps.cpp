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

constexpr std::string_view kRouteEditor = "Route Editor";
constexpr std::string_view kMosaic = "Mosaic";
constexpr std::string_view kUSAPhotoMaps = "USAPhotoMaps";

// USAPhotoMaps takes west longitudes as positive numbers and nothing at
// all for the others.
std::string WestLongitudeKeys(const std::string& longitude) {
  auto value = target::LeadingNumber(longitude);
  return value && *value < 0 ? target::PlainDecimal(-*value) : std::string();
}

// Points the window's current session at `session` for one scope, however
// the scope is left.
class SessionScope {
 public:
  SessionScope(target::TargetSession*& current, target::TargetSession& session)
      : current_(current) {
    current_ = &session;
  }
  ~SessionScope() { current_ = nullptr; }
  SessionScope(const SessionScope&) = delete;
  SessionScope& operator=(const SessionScope&) = delete;

 private:
  target::TargetSession*& current_;
};

}  // namespace

std::string_view Form_Tarvik::TargetProgram() const {
  switch (TargetApp()) {
    case kTargetMosaic: return kMosaic;
    case kTargetUSAPhotoMaps: return kUSAPhotoMaps;
    default: return kRouteEditor;
  }
}

void Form_Tarvik::WithTargetSession(std::string_view program,
                                    const std::function<void()>& command) {
  if (session_) return command();
  target::TargetSession session(services_.finder.Windows(), program);
  {
    SessionScope scope(session_, session);
    command();
  }
  if (!session.Answering()) services_.messages.Warn(session.NotRespondingText(), kAppTitle);
}

void Form_Tarvik::JumpToCurrent() {
  services_.system.DoEvents();
  if (LastRow_.empty()) {
    LastRow_ = CurrentRow_;
    c_.Command_Last->SetEnabled(true);
  }
  WithTargetSession(TargetProgram(), [this] { JumpToTarget(); });
  if (IsOnTop_) window_.SetTopmost(true);
}

void Form_Tarvik::JumpToTarget() {
  switch (TargetApp()) {
    case kTargetRouteEditor:
      JumpRouteEditor();
      // The Route Editor misses the first jump of a run now and then; one
      // that does not answer is not asked again.
      if (IsFirstREJump_) {
        if (session_->Answering()) {
          services_.system.Sleep(kRepeatFirstJumpMs);
          JumpRouteEditor();
        }
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
}

void Form_Tarvik::PleaseOpen(std::string_view what) {
  services_.messages.Warn("Please Open " + std::string(what), kAppTitle);
}

void Form_Tarvik::PressButton(platform::WindowHandle button) {
  session_->ButtonDown(button);
  // A program that did not take the press is not held for.
  if (!session_->Answering()) return;
  services_.system.Sleep(kButtonHeldMs);
  session_->ButtonUp(button);
}

void Form_Tarvik::JumpRouteEditor() {
  WithTargetSession(kRouteEditor, [this] {
    auto& finder = services_.finder;
    finder.FindRouteEditorWindows();
    if (finder.CameraWnd == 0) return PleaseOpen("the Route Editor Camera Window.");
    SetCameraPosition(Cur_.Longitude, Cur_.Latitude);
    PressButton(finder.Windows().FindChild(finder.CameraWnd, 0, "Button"));
    AddRecent(CurrentRow_);
    if (finder.TrainSimWnd != 0) session_->Activate(finder, finder.TrainSimWnd);
  });
}

void Form_Tarvik::SetCameraPosition(const std::string& longitude, const std::string& latitude) {
  WithTargetSession(kRouteEditor, [&] {
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
    session_->SetText(edit, longitude);
    platform::WindowHandle latitude_edit = next_edit(next_edit(edit));
    session_->SetText(latitude_edit, latitude);
    session_->ButtonDown(latitude_edit);
    session_->ButtonUp(latitude_edit);
  });
}

void Form_Tarvik::JumpMosaic() {
  WithTargetSession(kMosaic, [this] {
    auto& finder = services_.finder;
    finder.FindMosaicControls();
    if (finder.MosaicField0 == 0) return PleaseOpen("Mosaic.");
    SetMosaicPosition(Cur_.Longitude + "d", Cur_.Latitude + "d");
    PressButton(finder.MosaicGoControl);
    AddRecent(CurrentRow_);
    if (finder.MosaicField0 != 0) session_->Activate(finder, finder.MosaicField0);
  });
}

void Form_Tarvik::SetMosaicPosition(const std::string& longitude, const std::string& latitude) {
  WithTargetSession(kMosaic, [&] {
    auto& finder = services_.finder;
    finder.FindMosaicControls();
    if (finder.MosaicField0 == 0) return PleaseOpen("Mosaic.");
    session_->SetText(finder.MosaicLonField, longitude);
    session_->SetText(finder.MosaicLatField, latitude);
  });
}

void Form_Tarvik::JumpUSAPhotoMaps() {
  WithTargetSession(kUSAPhotoMaps, [this] {
    auto& finder = services_.finder;
    platform::WindowHandle photo_maps = 0;
    finder.FindWindowByPattern(photo_maps, 0, "*", "USAPhotoMaps");
    if (photo_maps == 0) return PleaseOpen("USAPhotoMaps.");
    TypeIntoUSAPhotoMaps(photo_maps, WestLongitudeKeys(Cur_.Longitude));
    AddRecent(CurrentRow_);
  });
}

void Form_Tarvik::TypeIntoUSAPhotoMaps(platform::WindowHandle photo_maps,
                                       const std::string& longitude_keys) {
  target::TargetSession& session = *session_;
  session.Activate(services_.finder, photo_maps);
  // Keys go to whichever window has the keyboard focus, so they are typed
  // only once USAPhotoMaps has come forward, and each batch only while it
  // still is.
  if (!session.WaitForForeground(photo_maps)) return;
  std::vector<std::vector<KeyStroke>> batches = {
      {{Kind::AltChord, "V"}, {Kind::Key, "G"}}, {{Kind::Text, Cur_.Latitude}}, {{Kind::Tab, "", 3}}};
  if (!longitude_keys.empty()) batches.push_back({{Kind::Text, longitude_keys}});
  batches.push_back({{Kind::Enter, ""}});
  batches.push_back({{Kind::Escape, ""}});
  for (const auto& batch : batches) {
    if (!session.Type(photo_maps, batch)) return;
  }
}

void Form_Tarvik::Combo_WhichApp_Click() {
  const int target = TargetApp();
  c_.Command_Grab->SetEnabled(target != kTargetUSAPhotoMaps);
  c_.Command_New->SetEnabled(target != kTargetUSAPhotoMaps);
  c_.Command_Transit->SetEnabled(target != kTargetMosaic && target != kTargetUSAPhotoMaps);
  if (target == kTargetMosaic || target == kTargetUSAPhotoMaps) services_.windows.HideTransitWindow();
}

}  // namespace tarvik::app
