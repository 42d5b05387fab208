// The measuring pass of the RE Transit window: where the Route Editor's
// placement position lies from its camera or its selected object, and the
// placement's latitude and longitude.
#include <cmath>
#include <limits>
#include <string_view>

#include "target/LeadingNumber.h"
#include "transit/DisplayFormat.h"
#include "transit/Form_RE_Transit.h"

namespace tarvik::transit {

namespace {

// Local coordinates run from -1024 to 1024 m about the tile's centre.
constexpr double kTileSize = 2048;
constexpr double kHalfTile = 1024;
// Closer than this, in display units, east or west, the bearing is noise.
constexpr double kBearingThreshold = 0.1;
// Degrees per radian for latitude and longitude, to the Route Editor's digits.
constexpr double kDegreesPerRadianShown = 57.2957795131;
constexpr int kMeasuringInterval = 100;

// What the Object window shows while no object is selected.
constexpr std::string_view kNoObjectText = "0.000";

constexpr const char* kObjectNotRolledDown =
    "The Object Window is not Rolled Down or you may have to reselect the Object.";
constexpr const char* kNoObjectSelected = "There is no Object Selected.";
constexpr const char* kCameraNotRolledDown =
    "The Camera Window is not Rolled Down or you may have to change the Camera position.";
constexpr const char* kWindowsMissing =
    "For Transit to work correctly, the Route Editor's Placement, Camera, and Object Windows "
    "must be Open and Rolled Down.";
constexpr const char* kNotResponding = "Route Editor is not responding.";

constexpr std::int16_t kWrtObject = 0;

// Ten passes a second mostly find what the last one found: a box is only
// written, and so redrawn, when its text changes.
void Show(platform::Control& box, std::string_view text) {
  if (box.Caption() != text) box.SetCaption(text);
}

void ShowOrHide(platform::Control& control, bool shown) {
  if (control.Visible() != shown) control.SetVisible(shown);
}

// A text that holds no number counts as 0. One whose number is too large
// for a double is not a number at all: everything worked out from it is
// not a number either, and its box shows "?" for this pass.
double Number(std::string_view text) {
  return target::LeadingNumber(text).value_or(std::numeric_limits<double>::quiet_NaN());
}

std::string BearingText(double dx, double dz, double degrees_per_radian) {
  if (!(std::fabs(dx) > kBearingThreshold)) return "?";
  const double theta = std::atan(dz / dx) * degrees_per_radian;
  return FormatTwoPlaces(dx > 0 ? 90 - theta : 270 - theta);
}

// A difference as its size and the word for its direction; a difference
// that is not a number has neither.
void ShowDirected(platform::Control& value, platform::Control& word, double delta,
                  const char* positive, const char* negative) {
  Show(value, FormatTwoPlaces(delta >= 0 ? delta : -delta));
  Show(word, std::isnan(delta) ? "" : delta >= 0 ? positive : negative);
}

}  // namespace

void Form_RE_Transit::MeasurePlacement() {
  if (!link_.Read(texts_)) {
    ShowInfo(kNotResponding);
    return;
  }
  Point reference;
  if (!ChooseReference(reference)) return;
  RefAtOrigin_ = reference.x == 0 && reference.y == 0 && reference.z == 0;
  // After the reference, so that while the Route Editor has never run the
  // message says which of its windows to roll down.
  if (!AllWindowsFound()) {
    ShowInfo(kWindowsMissing);
    return;
  }
  const Point placement{Number(texts_.PlacementX), Number(texts_.PlacementY),
                        Number(texts_.PlacementZ)};
  window_.SetTimerInterval(kMeasuringInterval);
  if (RefAtOrigin_ || ResetPending_) {
    BlankOutputs();
    return;
  }
  ShowDifferences(placement, reference);
  ShowLatitudeLongitude(placement);
  HideInfo();
}

bool Form_RE_Transit::ChooseReference(Point& reference) {
  if (c_.Option_WRT[kWrtObject]->Value() == 1) {
    if (texts_.ObjectX.empty()) {
      ShowInfo(kObjectNotRolledDown);
      return false;
    }
    if (texts_.ObjectX == kNoObjectText) {
      ShowInfo(kNoObjectSelected);
      return false;
    }
    reference = {Number(texts_.ObjectX), Number(texts_.ObjectY), Number(texts_.ObjectZ)};
    return true;
  }
  if (texts_.CameraX.empty()) {
    ShowInfo(kCameraNotRolledDown);
    return false;
  }
  reference = {Number(texts_.CameraX), Number(texts_.CameraY), Number(texts_.CameraZ)};
  return true;
}

bool Form_RE_Transit::AllWindowsFound() const {
  const target::Module1& finder = services_.finder;
  return finder.CameraWnd != 0 && finder.ObjectWnd != 0 && finder.PlacementWnd != 0;
}

// The frame lies over the six rows; its label is hidden and shown with it,
// as a window system hides what a frame holds.
void Form_RE_Transit::ShowInfo(const char* message) {
  Show(*c_.Label_Info, message);
  ShowOrHide(*c_.Frame_Info, true);
  ShowOrHide(*c_.Label_Info, true);
}

void Form_RE_Transit::HideInfo() {
  ShowOrHide(*c_.Frame_Info, false);
  ShowOrHide(*c_.Label_Info, false);
}

void Form_RE_Transit::BlankOutputs() {
  for (platform::Control* output :
       {c_.Text_DX, c_.DXLabel, c_.Text_DY, c_.DYLabel, c_.Text_DZ, c_.DZLabel, c_.Text_Absolute,
        c_.Text_Horizontal, c_.TextBearing, c_.TextLatitude, c_.TextLongitude}) {
    Show(*output, "");
  }
  window_.SetTimerEnabled(true);
  ResetPending_ = false;
  HideInfo();
}

void Form_RE_Transit::ShowDifferences(const Point& placement, const Point& reference) {
  const double dx = (placement.x - reference.x) * UnitFactor_;
  const double dy = (placement.y - reference.y) * UnitFactor_;
  const double dz = (placement.z - reference.z) * UnitFactor_;
  Show(*c_.TextBearing, BearingText(dx, dz, DegreesPerRadian_));
  ShowDirected(*c_.Text_DX, *c_.DXLabel, dx, "East", "West");
  ShowDirected(*c_.Text_DY, *c_.DYLabel, dy, "Above", "Below");
  ShowDirected(*c_.Text_DZ, *c_.DZLabel, dz, "North", "South");
  Show(*c_.Text_Absolute, FormatTwoPlaces(std::sqrt(dx * dx + dy * dy + dz * dz)));
  // The Route Editor's ground is its x-z plane.
  Show(*c_.Text_Horizontal, FormatTwoPlaces(std::sqrt(dx * dx + dz * dz)));
}

void Form_RE_Transit::ShowLatitudeLongitude(const Point& placement) {
  // The camera's tile whatever the reference, in metres whatever the units.
  const double tile_x = Number(texts_.CameraTileX) + (placement.x + kHalfTile) / kTileSize;
  const double tile_z = Number(texts_.CameraTileZ) + (placement.z + kHalfTile) / kTileSize;
  // Where the projection has no point, or there is no number to project,
  // the boxes say so, rather than pair a fresh value with one left over
  // from an earlier pass.
  const bool projected = std::isfinite(tile_x) && std::isfinite(tile_z) &&
                         GoodeInverse(lobes_, tile_x, tile_z, LonRad_, LatRad_) == GoodeStatus::Inside;
  if (!projected) {
    Show(*c_.TextLatitude, "?");
    Show(*c_.TextLongitude, "?");
    return;
  }
  Show(*c_.TextLatitude, FormatFivePlaces(LatRad_ * kDegreesPerRadianShown));
  Show(*c_.TextLongitude, FormatFivePlaces(LonRad_ * kDegreesPerRadianShown));
}

}  // namespace tarvik::transit
