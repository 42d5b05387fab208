// Grab: the position a target program shows, read into the entry boxes.
#include "app/AppInfo.h"
#include "app/Form_Tarvik.h"

namespace tarvik::app {

namespace {

constexpr int kTargetRouteEditor = 0;
constexpr int kTargetMosaic = 1;
// Mosaic shows its coordinates with a four-character unit after them.
constexpr std::size_t kMosaicSuffix = 4;

// Drops the last `count` characters, never half of a UTF-8 sequence.
std::string DropLastCharacters(std::string text, std::size_t count) {
  while (count-- > 0 && !text.empty()) {
    do {
      text.pop_back();
    } while (!text.empty() && (static_cast<unsigned char>(text.back()) & 0xC0) == 0x80);
  }
  return text;
}

std::size_t CharacterCount(const std::string& text) {
  std::size_t count = 0;
  for (char c : text) count += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
  return count;
}

}  // namespace

void Form_Tarvik::Command_Grab_Click() { GrabPosition(); }

std::optional<std::string> Form_Tarvik::ReadSource(platform::WindowHandle source) {
  std::optional<std::string> text = session_->GetText(source);
  if (text && TargetApp() == kTargetMosaic && CharacterCount(*text) > kMosaicSuffix) {
    text = DropLastCharacters(std::move(*text), kMosaicSuffix);
  }
  return text;
}

void Form_Tarvik::GrabPosition() { WithTargetSession(TargetProgram(), [this] { Grab(); }); }

void Form_Tarvik::Grab() {
  auto& finder = services_.finder;
  auto& windows = finder.Windows();
  const int target = TargetApp();
  platform::WindowHandle longitude_source = 0;
  platform::WindowHandle latitude_source = 0;
  if (target == kTargetRouteEditor) {
    finder.FindRouteEditorWindows();
    if (finder.CameraWnd == 0) return PleaseOpen("the Route Editor Camera Window.");
    // The 4th and 6th children, whatever their class.
    longitude_source = windows.FirstChild(finder.CameraWnd);
    for (int i = 0; i < 3; ++i) longitude_source = windows.NextSibling(longitude_source);
    latitude_source = windows.NextSibling(windows.NextSibling(longitude_source));
  } else if (target == kTargetMosaic) {
    finder.FindMosaicControls();
    if (finder.MosaicField0 == 0) return PleaseOpen("Mosaic.");
    longitude_source = finder.MosaicLonField;
    latitude_source = finder.MosaicLatField;
  }
  // Both texts are read before anything changes, so that a target that
  // does not answer leaves the boxes and the buttons as they were, as one
  // that is not open does.
  std::optional<std::string> longitude = ReadSource(longitude_source);
  std::optional<std::string> latitude = ReadSource(latitude_source);
  if (!longitude || !latitude) return;
  if (target == kTargetRouteEditor || target == kTargetMosaic) {
    c_.Command_Grab->SetEnabled(false);
    c_.Command_Delete->SetEnabled(true);
  }
  c_.Text_Longitude->SetCaption(*longitude);
  c_.Text_Latitude->SetCaption(*latitude);
  c_.Text_Waypoint->ReplaceSelection("WP ");
  c_.Text_Latitude->SetReadOnly(true);
  c_.Text_Longitude->SetReadOnly(true);
  c_.Text_Waypoint->SetFocus();
}

}  // namespace tarvik::app
