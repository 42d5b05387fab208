#include "standins/routeeditor/CameraTool.h"

#include <array>
#include <cmath>
#include <numbers>

#include "standins/common/Controls.h"
#include "standins/common/StandinText.h"
#include "standins/common/WindowObject.h"
#include "standins/routeeditor/ToolWindow.h"
#include "transit/GoodeForward.h"

namespace tarvik::standins::routeeditor {

namespace {

// The children in creation order, which is the order Tarvik counts them in.
// Nothing here has children of its own, so the n-th child is also the n-th
// descendant:
//
//   child  class   shows                    Tarvik relies on
//     1    Edit    x, metres in the tile    child 1 (camera x)
//     2    Edit    y, height                child 2 (camera y)
//     3    Edit    z, metres in the tile    child 3 (camera z)
//     4    Edit    longitude                child 4 / 4th Edit: takes and shows it
//     5    Edit    heading, degrees         only its place among the Edits
//     6    Edit    latitude                 child 6 / 6th Edit: takes and shows it
//     7    Edit    tile X (read-only)       child 7
//     8    Edit    tile Z (read-only)       child 8
//     9    Button  "Move camera"            first Button: moves to child 4 / 6
//    10    Static  "Tile:"
//    11    Static  "x:"                     11th descendant: marks the Camera window
//    12-16 Static  "y:" "z:" "Lon:" "Heading:" "Lat:"
enum Child { kX, kY, kZ, kLongitude, kHeading, kLatitude, kTileX, kTileZ, kMoveButton };

constexpr DWORD kField = WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL;
constexpr DWORD kReadOnly = WS_BORDER | ES_READONLY | ES_AUTOHSCROLL;
constexpr int kHalfField = kFieldWidth / 2 - 3;
constexpr int kTileRight = kFieldLeft + kFieldWidth - kHalfField;

constexpr std::array<ChildLayout, 16> kChildren = {{
    {L"Edit", L"0.000", kField, kFieldLeft, RowTop(0), kFieldWidth, kRowHeight},   // child 1
    {L"Edit", L"60.000", kField, kFieldLeft, RowTop(1), kFieldWidth, kRowHeight},  // child 2
    {L"Edit", L"0.000", kField, kFieldLeft, RowTop(2), kFieldWidth, kRowHeight},   // child 3
    {L"Edit", L"", kField, kFieldLeft, RowTop(3), kFieldWidth, kRowHeight},        // child 4
    {L"Edit", L"0.0", kField, kFieldLeft, RowTop(4), kFieldWidth, kRowHeight},     // child 5
    {L"Edit", L"", kField, kFieldLeft, RowTop(5), kFieldWidth, kRowHeight},        // child 6
    {L"Edit", L"", kReadOnly, kFieldLeft, RowTop(6), kHalfField, kRowHeight},      // child 7
    {L"Edit", L"", kReadOnly, kTileRight, RowTop(6), kHalfField, kRowHeight},      // child 8
    {L"Button", L"Move camera", WS_TABSTOP | BS_PUSHBUTTON, kFieldLeft, RowTop(7) + 4, kFieldWidth,
     kRowHeight + 4},                                                                  // child 9
    {L"Static", L"Tile:", SS_RIGHT, kMargin, RowTop(6) + 3, kLabelWidth, kRowHeight},  // child 10
    {L"Static", L"x:", SS_RIGHT, kMargin, RowTop(0) + 3, kLabelWidth, kRowHeight},     // child 11
    {L"Static", L"y:", SS_RIGHT, kMargin, RowTop(1) + 3, kLabelWidth, kRowHeight},     // child 12
    {L"Static", L"z:", SS_RIGHT, kMargin, RowTop(2) + 3, kLabelWidth, kRowHeight},     // child 13
    {L"Static", L"Lon:", SS_RIGHT, kMargin, RowTop(3) + 3, kLabelWidth, kRowHeight},   // child 14
    {L"Static", L"Heading:", SS_RIGHT, kMargin, RowTop(4) + 3, kLabelWidth,
     kRowHeight},                                                                     // child 15
    {L"Static", L"Lat:", SS_RIGHT, kMargin, RowTop(5) + 3, kLabelWidth, kRowHeight},  // child 16
}};

constexpr SIZE kClientSize{kFieldLeft + kFieldWidth + kMargin, RowTop(8) + kMargin};
constexpr double kRadiansPerDegree = std::numbers::pi / 180;

}  // namespace

bool CameraTool::RegisterClass() {
  return RegisterStandinClass(kCameraClass,
                              &ObjectProcedure<CameraTool, &CameraTool::HandleMessage>);
}

bool CameraTool::Create(HWND owner, POINT at) {
  window_.reset(CreateTopWindow(kToolExStyle, kCameraClass, L"Camera", kToolStyle, at, kClientSize,
                                owner, this));
  if (!window_) return false;
  children_ = AddChildren(window_.get(), kChildren);
  return true;
}

HWND CameraTool::Child(int index) const {
  return index < static_cast<int>(children_.size()) ? children_[static_cast<size_t>(index)]
                                                    : nullptr;
}

void CameraTool::Close() {
  window_.reset();
  children_.clear();
  hub_.ToolChanged();
}

bool CameraTool::MoveTo(double latitude_degrees, double longitude_degrees) {
  if (std::fabs(latitude_degrees) > 90 || std::fabs(longitude_degrees) > 180) return false;
  const auto tile = transit::TilePositionOf(transit::LatLonRadians{
      latitude_degrees * kRadiansPerDegree, longitude_degrees * kRadiansPerDegree});
  if (!tile) return false;
  SetText(Child(kX), Fixed(tile->x, 3));
  SetText(Child(kZ), Fixed(tile->z, 3));
  SetText(Child(kTileX), std::to_wstring(tile->tile_x));
  SetText(Child(kTileZ), std::to_wstring(tile->tile_z));
  shown_at_ = Fixed(latitude_degrees, 5) + L", " + Fixed(longitude_degrees, 5);
  SetText(Child(kLongitude), Fixed(longitude_degrees, 5));
  SetText(Child(kLatitude), Fixed(latitude_degrees, 5));
  hub_.ToolChanged();
  return true;
}

void CameraTool::MoveToTypedPosition() {
  const std::wstring latitude_text = TextOf(Child(kLatitude));
  const std::wstring longitude_text = TextOf(Child(kLongitude));
  const auto latitude = WholeNumber(latitude_text);
  const auto longitude = WholeNumber(longitude_text);
  if (!latitude) return hub_.Refuse(L"latitude \"" + latitude_text + L"\" is not a number");
  if (!longitude) return hub_.Refuse(L"longitude \"" + longitude_text + L"\" is not a number");
  if (!MoveTo(*latitude, *longitude)) {
    hub_.Refuse(latitude_text + L", " + longitude_text + L" is off the map");
  }
}

std::wstring CameraTool::Summary() const {
  if (!window_) return L"Camera window closed";
  return L"Camera at " + shown_at_ + L"   tile " + TextOf(Child(kTileX)) + L", " +
         TextOf(Child(kTileZ)) + L"   x " + TextOf(Child(kX)) + L"  y " + TextOf(Child(kY)) +
         L"  z " + TextOf(Child(kZ));
}

LRESULT CameraTool::HandleMessage(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_CLOSE) {
    Close();
    return 0;
  }
  if (message == WM_COMMAND && children_.size() > kMoveButton) {
    const auto control = reinterpret_cast<HWND>(lparam);
    if (control == Child(kMoveButton) && HIWORD(wparam) == BN_CLICKED) MoveToTypedPosition();
    if (HIWORD(wparam) == EN_CHANGE) hub_.ToolChanged();
    return 0;
  }
  return DefWindowProcW(window, message, wparam, lparam);
}

}  // namespace tarvik::standins::routeeditor
