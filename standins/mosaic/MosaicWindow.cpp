#include "standins/mosaic/MosaicWindow.h"

#include <cmath>
#include <string>

#include "standins/common/Controls.h"
#include "standins/common/MapView.h"
#include "standins/common/StandinText.h"
#include "standins/common/WindowObject.h"
#include "standins/mosaic/DegreeField.h"

namespace tarvik::standins::mosaic {

namespace {

constexpr wchar_t kFrameClass[] = L"MosaicStandinFrame";
constexpr wchar_t kPaneClass[] = L"MosaicCoordinatePane";
// Holds one field, as Mosaic nests its fields one level below the pane.
constexpr wchar_t kFieldBoxClass[] = L"MosaicFieldBox";

// Below the Route Editor stand-in and beside its tool windows on a
// 1280 x 1024 screen, so that all three stand-ins can be open at once.
constexpr POINT kFrameAt{0, 460};
constexpr SIZE kFrameClient{560, 320};
constexpr int kBarHeight = 34;
constexpr COLORREF kLand = RGB(236, 226, 200);

constexpr double kStartLatitude = 39.62406;
constexpr double kStartLongitude = -75.10789;

// The pane's children K0 to K4 in creation order, which is the order in
// which Tarvik walks them:
//
//   K0  Static          "Lat:"     what Tarvik brings forward after a jump
//   K1  MosaicFieldBox  holds the latitude Edit as its first child
//   K2  Static          "Lon:"
//   K3  MosaicFieldBox  holds the longitude Edit as its first child
//   K4  Button          "Go to"    moves the map to K1's and K3's values
//
// The whole path: frame > AfxControlBar70s > pane > K0..K4.
constexpr int kFieldWidth = 140;
constexpr int kFieldHeight = 22;
constexpr ChildLayout kLatitudeLabel{L"Static", L"Lat:", SS_RIGHT, 4, 9, 30, 18};
constexpr ChildLayout kLatitudeBox{kFieldBoxClass, L"", 0, 38, 6, kFieldWidth, kFieldHeight};
constexpr ChildLayout kLongitudeLabel{L"Static", L"Lon:", SS_RIGHT, 186, 9, 30, 18};
constexpr ChildLayout kLongitudeBox{kFieldBoxClass, L"", 0, 220, 6, kFieldWidth, kFieldHeight};
constexpr ChildLayout kGoButton{L"Button", L"Go to", WS_TABSTOP | BS_PUSHBUTTON, 370, 5, 72, 24};
constexpr ChildLayout kField{
    L"Edit", L"", WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL, 0, 0, kFieldWidth, kFieldHeight};

// A second control bar, made after the coordinate bar and so below it in Z
// order, with a pane of the same shape: scale and layer. Tarvik must take
// the first bar; writing into these fields moves nothing.
constexpr ChildLayout kScaleLabel{L"Static", L"Scale:", SS_RIGHT, 4, 9, 30, 18};
constexpr ChildLayout kScaleBox{kFieldBoxClass, L"", 0, 38, 6, kFieldWidth, kFieldHeight};
constexpr ChildLayout kLayerLabel{L"Static", L"Layer:", SS_RIGHT, 186, 9, 30, 18};
constexpr ChildLayout kLayerBox{kFieldBoxClass, L"", 0, 220, 6, kFieldWidth, kFieldHeight};
constexpr ChildLayout kRefreshButton{L"Button", L"Refresh", WS_TABSTOP | BS_PUSHBUTTON, 370, 5,
                                     72, 24};

HWND AddDegreeField(HWND box, DegreeFieldOwner& owner) {
  HWND edit = AddChild(box, kField);
  return edit && MakeDegreeField(edit, owner) ? edit : nullptr;
}

HWND AddPlainField(HWND box, const wchar_t* text) {
  ChildLayout field = kField;
  field.text = text;
  return AddChild(box, field);
}

}  // namespace

bool MosaicWindow::RegisterClasses() {
  return RegisterStandinClass(kFrameClass,
                              &ObjectProcedure<MosaicWindow, &MosaicWindow::HandleFrameMessage>) &&
         RegisterStandinClass(kPaneClass,
                              &ObjectProcedure<MosaicWindow, &MosaicWindow::HandlePaneMessage>) &&
         RegisterStandinClass(kControlBarClass, &DefWindowProcW) &&
         RegisterStandinClass(kFieldBoxClass, &DefWindowProcW) && RegisterMapView(kLand);
}

bool MosaicWindow::CreatePane() {
  pane_ = CreateWindowExW(0, kPaneClass, L"", WS_CHILD | WS_VISIBLE, 0, 0, kFrameClient.cx,
                          kBarHeight, bar_, nullptr, GetModuleHandleW(nullptr), this);
  if (!pane_) return false;
  AddChild(pane_, kLatitudeLabel);
  HWND latitude_box = AddChild(pane_, kLatitudeBox);
  AddChild(pane_, kLongitudeLabel);
  HWND longitude_box = AddChild(pane_, kLongitudeBox);
  go_ = AddChild(pane_, kGoButton);
  latitude_ = AddDegreeField(latitude_box, *this);
  longitude_ = AddDegreeField(longitude_box, *this);
  return go_ && latitude_ && longitude_;
}

bool MosaicWindow::CreateLayerBar() {
  layer_bar_ = AddChild(frame_.get(), {kControlBarClass, L"", 0, 0, kFrameClient.cy - kBarHeight,
                                       kFrameClient.cx, kBarHeight});
  if (!layer_bar_) return false;
  HWND pane = AddChild(layer_bar_, {L"Static", L"", 0, 0, 0, kFrameClient.cx, kBarHeight});
  if (!pane) return false;
  AddChild(pane, kScaleLabel);
  HWND scale_box = AddChild(pane, kScaleBox);
  AddChild(pane, kLayerLabel);
  HWND layer_box = AddChild(pane, kLayerBox);
  return AddChild(pane, kRefreshButton) && AddPlainField(scale_box, L"1:24000") &&
         AddPlainField(layer_box, L"Photo");
}

bool MosaicWindow::Open() {
  if (!RegisterClasses()) return false;
  frame_.reset(CreateTopWindow(0, kFrameClass, L"Mosaic - stand-in",
                               WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, kFrameAt, kFrameClient,
                               nullptr, this));
  if (!frame_) return false;
  bar_ = AddChild(frame_.get(), {kControlBarClass, L"", 0, 0, 0, kFrameClient.cx, kBarHeight});
  map_ = AddChild(frame_.get(), {kMapViewClass, L"", 0, 0, kBarHeight, kFrameClient.cx,
                                 kFrameClient.cy - 2 * kBarHeight});
  if (!bar_ || !map_ || !CreatePane() || !CreateLayerBar()) return false;
  MoveMapTo(kStartLatitude, kStartLongitude);
  ShowWindow(frame_.get(), SW_SHOWNORMAL);
  return true;
}

bool MosaicWindow::MoveMapTo(double latitude, double longitude) {
  if (std::fabs(latitude) > 90 || std::fabs(longitude) > 180) return false;
  // The fields take degrees as Tarvik writes them.
  SetText(latitude_, Fixed(latitude, 5) + L"d");
  SetText(longitude_, Fixed(longitude, 5) + L"d");
  map_at_ = L"Map at " + Fixed(latitude, 5) + L", " + Fixed(longitude, 5);
  ShowMap();
  return true;
}

void MosaicWindow::MoveMapToTypedPosition() {
  // The fields hold only what they took, shown as "48.50718 deg".
  const std::wstring latitude_text = TextOf(latitude_);
  const std::wstring longitude_text = TextOf(longitude_);
  const auto latitude = LeadingNumber(latitude_text);
  const auto longitude = LeadingNumber(longitude_text);
  if (!latitude || !longitude || !MoveMapTo(*latitude, *longitude)) {
    Refuse(latitude_text + L", " + longitude_text + L" is off the map");
  }
}

void MosaicWindow::Refuse(const std::wstring& what) {
  refusals_.Refuse(what);
  ShowMap();
}

void MosaicWindow::ShowMap() {
  SetText(map_, refusals_.Shown().empty() ? map_at_ : map_at_ + L"\n" + refusals_.Shown());
}

LRESULT MosaicWindow::HandleFrameMessage(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_SIZE:
      if (bar_ && map_ && layer_bar_) {
        const int width = LOWORD(lparam);
        const int height = HIWORD(lparam);
        MoveWindow(bar_, 0, 0, width, kBarHeight, TRUE);
        MoveWindow(map_, 0, kBarHeight, width, height - 2 * kBarHeight, TRUE);
        MoveWindow(layer_bar_, 0, height - kBarHeight, width, kBarHeight, TRUE);
      }
      return 0;
    case WM_CLOSE:
      PostQuitMessage(0);
      return 0;
    default:
      return DefWindowProcW(window, message, wparam, lparam);
  }
}

LRESULT MosaicWindow::HandlePaneMessage(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  const bool go_pressed = message == WM_COMMAND && go_ && reinterpret_cast<HWND>(lparam) == go_ &&
                          HIWORD(wparam) == BN_CLICKED;
  if (go_pressed) {
    MoveMapToTypedPosition();
    return 0;
  }
  return DefWindowProcW(window, message, wparam, lparam);
}

}  // namespace tarvik::standins::mosaic
