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

std::string Form_Tarvik::ReadSource(platform::WindowHandle source) {
  std::string text = source == 0 ? std::string() : services_.finder.Windows().GetText(source);
  if (TargetApp() == kTargetMosaic && CharacterCount(text) > kMosaicSuffix) {
    text = DropLastCharacters(std::move(text), kMosaicSuffix);
  }
  return text;
}

void Form_Tarvik::GrabPosition() {
  auto& finder = services_.finder;
  auto& windows = finder.Windows();
  platform::WindowHandle longitude_source = 0;
  platform::WindowHandle latitude_source = 0;
  if (TargetApp() == kTargetRouteEditor) {
    finder.FindRouteEditorWindows();
    if (finder.CameraWnd == 0) return PleaseOpen("the Route Editor Camera Window.");
    c_.Command_Grab->SetEnabled(false);
    c_.Command_Delete->SetEnabled(true);
    // The 4th and 6th children, whatever their class.
    longitude_source = windows.FirstChild(finder.CameraWnd);
    for (int i = 0; i < 3; ++i) longitude_source = windows.NextSibling(longitude_source);
    latitude_source = windows.NextSibling(windows.NextSibling(longitude_source));
  } else if (TargetApp() == kTargetMosaic) {
    finder.FindMosaicControls();
    if (finder.MosaicField0 == 0) return PleaseOpen("Mosaic.");
    c_.Command_Grab->SetEnabled(false);
    c_.Command_Delete->SetEnabled(true);
    longitude_source = finder.MosaicLonField;
    latitude_source = finder.MosaicLatField;
  }
  c_.Text_Longitude->SetCaption(ReadSource(longitude_source));
  c_.Text_Latitude->SetCaption(ReadSource(latitude_source));
  c_.Text_Waypoint->ReplaceSelection("WP ");
  c_.Text_Latitude->SetReadOnly(true);
  c_.Text_Longitude->SetReadOnly(true);
  c_.Text_Waypoint->SetFocus();
}

}  // namespace tarvik::app
