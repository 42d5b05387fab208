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

// The Tools menu opens a closed tool window again.
enum ToolCommand : UINT { kOpenCamera = 1, kOpenObject, kOpenPlacement };

HMENU MakeMenu() {
  HMENU tools = CreatePopupMenu();
  AppendMenuW(tools, MF_STRING, kOpenCamera, L"&Camera");
  AppendMenuW(tools, MF_STRING, kOpenObject, L"&Object");
  AppendMenuW(tools, MF_STRING, kOpenPlacement, L"&Placement");
  HMENU bar = CreateMenu();
  AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(tools), L"&Tools");
  return bar;
}

void ShowTool(HWND window) { ShowWindow(window, SW_SHOWNORMAL); }

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
                              this, MakeMenu()));
  if (!main_) return false;
  map_ = AddChild(main_.get(), {kMapViewClass, L"", 0, 0, 0, kMainClient.cx, kMainClient.cy});
  if (!map_) return false;
  open_ = true;
  ShowWindow(main_.get(), SW_SHOWNORMAL);
  return OpenCamera() && OpenObject() && OpenPlacement();
}

// A tool window opened again starts as it did when the program started.
bool RouteEditor::OpenCamera() {
  if (!camera_.Window()) {
    if (!camera_.Create(main_.get(), kCameraAt)) return false;
    camera_.MoveTo(kStartLatitude, kStartLongitude);
  }
  ShowTool(camera_.Window());
  return true;
}

bool RouteEditor::OpenObject() {
  if (!object_.Window()) {
    if (!object_.Create(main_.get(), kObjectAt)) return false;
    object_.Select();
  }
  ShowTool(object_.Window());
  return true;
}

bool RouteEditor::OpenPlacement() {
  if (!placement_.Window()) {
    if (!placement_.Create(main_.get(), kPlacementAt)) return false;
    ToolChanged();
  }
  ShowTool(placement_.Window());
  return true;
}

void RouteEditor::ToolChanged() {
  if (!open_) return;
  SetText(map_, camera_.Summary() + L"\n" + object_.Summary() + L"\n" + placement_.Summary());
}

void RouteEditor::OpenTool(UINT command) {
  const bool opened = command == kOpenCamera      ? OpenCamera()
                      : command == kOpenObject    ? OpenObject()
                      : command == kOpenPlacement ? OpenPlacement()
                                                  : true;
  if (!opened) MessageBeep(MB_ICONWARNING);
}

LRESULT RouteEditor::HandleMessage(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_SIZE:
      if (map_) MoveWindow(map_, 0, 0, LOWORD(lparam), HIWORD(lparam), TRUE);
      return 0;
    case WM_COMMAND:
      if (lparam == 0 && HIWORD(wparam) == 0) OpenTool(LOWORD(wparam));
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
