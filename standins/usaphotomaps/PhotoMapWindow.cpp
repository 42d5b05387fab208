#include "standins/usaphotomaps/PhotoMapWindow.h"

#include <cmath>

#include "standins/common/Controls.h"
#include "standins/common/MapView.h"
#include "standins/common/StandinText.h"
#include "standins/common/WindowObject.h"
#include "standins/usaphotomaps/Resources.h"

namespace tarvik::standins::usaphotomaps {

namespace {

// Below the Route Editor stand-in's tool windows and beside the Mosaic
// stand-in on a 1280 x 1024 screen.
constexpr POINT kWindowAt{580, 620};
constexpr SIZE kClient{520, 340};
constexpr COLORREF kLand = RGB(196, 214, 200);
constexpr MapPosition kStart{39.62406, -75.10789};

}  // namespace

std::wstring PositionText(MapPosition position) {
  return L"Position " + Fixed(std::fabs(position.latitude), 5) +
         (position.latitude < 0 ? L" S, " : L" N, ") + Fixed(std::fabs(position.longitude), 5) +
         (position.longitude > 0 ? L" E" : L" W");
}

bool PhotoMapWindow::Open() {
  const bool registered =
      RegisterStandinClass(kMainClass,
                           &ObjectProcedure<PhotoMapWindow, &PhotoMapWindow::HandleMessage>) &&
      RegisterMapView(kLand);
  if (!registered) return false;
  HMENU menu = LoadMenuW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDR_MAIN_MENU));
  window_.reset(CreateTopWindow(0, kMainClass, L"USAPhotoMaps (stand-in)",
                                WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, kWindowAt, kClient, nullptr,
                                this, menu));
  if (!window_) {
    if (menu) DestroyMenu(menu);
    return false;
  }
  map_ = AddChild(window_.get(), {kMapViewClass, L"", 0, 0, 0, kClient.cx, kClient.cy});
  if (!map_) return false;
  MoveTo(kStart);
  ShowWindow(window_.get(), SW_SHOWNORMAL);
  return true;
}

void PhotoMapWindow::MoveTo(MapPosition position) {
  position_ = position;
  ShowMap();
}

void PhotoMapWindow::Refuse(const std::wstring& what) {
  refusals_.Refuse(what);
  ShowMap();
}

void PhotoMapWindow::ShowMap() {
  const std::wstring at = PositionText(position_);
  SetText(map_, refusals_.Shown().empty() ? at : at + L"\n" + refusals_.Shown());
}

void PhotoMapWindow::GoTo() { RunGoTo(window_.get(), position_, *this); }

LRESULT PhotoMapWindow::HandleMessage(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_COMMAND:
      if (LOWORD(wparam) == IDM_GO_TO) GoTo();
      if (LOWORD(wparam) == IDM_EXIT) PostQuitMessage(0);
      return 0;
    case WM_SIZE:
      if (map_) MoveWindow(map_, 0, 0, LOWORD(lparam), HIWORD(lparam), TRUE);
      return 0;
    case WM_CLOSE:
      PostQuitMessage(0);
      return 0;
    default:
      return DefWindowProcW(window, message, wparam, lparam);
  }
}

}  // namespace tarvik::standins::usaphotomaps
