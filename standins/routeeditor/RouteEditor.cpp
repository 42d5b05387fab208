#include "standins/routeeditor/RouteEditor.h"

#include "standins/common/Controls.h"
#include "standins/common/MapView.h"
#include "standins/common/WindowObject.h"

namespace tarvik::standins::routeeditor {

namespace {

// Beside each other on a 1280 x 1024 screen, the tool windows in a column
// to the right of the main window, as a route builder arranges them.
constexpr POINT kMainAt{300, 0};
constexpr SIZE kMainClient{600, 420};
constexpr int kToolsLeft = 920;
constexpr POINT kCameraAt{kToolsLeft, 0};
constexpr POINT kObjectAt{kToolsLeft, 280};
constexpr POINT kPlacementAt{kToolsLeft, 450};

constexpr COLORREF kLand = RGB(214, 226, 196);

// The example camera position: tile -11000, 14300, near its centre.
constexpr double kStartLatitude = 39.62406;
constexpr double kStartLongitude = -75.10789;

}  // namespace

RouteEditor::~RouteEditor() {
  // The owned tool windows go before their owner, each by its own owner
  // object, while every member is still there for their last messages.
  open_ = false;
  placement_.Close();
  object_.Close();
  camera_.Close();
  main_.reset();
}

bool RouteEditor::RegisterClasses() {
  return RegisterStandinClass(kMainClass,
                              &ObjectProcedure<RouteEditor, &RouteEditor::HandleMessage>) &&
         RegisterMapView(kLand) && CameraTool::RegisterClass() && ObjectTool::RegisterClass() &&
         PlacementTool::RegisterClass();
}

bool RouteEditor::Open() {
  if (!RegisterClasses()) return false;
  main_.reset(CreateTopWindow(0, kMainClass, L"Route Editor (stand-in)",
                              WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, kMainAt, kMainClient, nullptr,
                              this));
  if (!main_) return false;
  map_ = AddChild(main_.get(), {kMapViewClass, L"", 0, 0, 0, kMainClient.cx, kMainClient.cy});
  if (!map_ || !camera_.Create(main_.get(), kCameraAt) || !object_.Create(main_.get(), kObjectAt) ||
      !placement_.Create(main_.get(), kPlacementAt)) {
    return false;
  }
  open_ = true;
  camera_.MoveTo(kStartLatitude, kStartLongitude);
  object_.Select();
  for (HWND window : {main_.get(), camera_.Window(), object_.Window(), placement_.Window()}) {
    ShowWindow(window, SW_SHOWNORMAL);
  }
  return true;
}

void RouteEditor::ToolChanged() {
  if (!open_) return;
  SetText(map_, camera_.Summary() + L"\n" + object_.Summary() + L"\n" + placement_.Summary());
}

LRESULT RouteEditor::HandleMessage(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_SIZE:
      if (map_) MoveWindow(map_, 0, 0, LOWORD(lparam), HIWORD(lparam), TRUE);
      return 0;
    case WM_CLOSE:
      // The windows are destroyed by their owners once the loop has ended.
      PostQuitMessage(0);
      return 0;
    default:
      return DefWindowProcW(window, message, wparam, lparam);
  }
}

}  // namespace tarvik::standins::routeeditor
