#include "standins/routeeditor/RouteEditor.h"

#include "standins/common/Controls.h"
#include "standins/common/MapView.h"
#include "standins/common/WindowObject.h"
#include "standins/routeeditor/BrushPanel.h"

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

void ShowNormal(HWND window) { ShowWindow(window, SW_SHOWNORMAL); }

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
  map_ = AddChild(main_.get(),
                  {kMapViewClass, L"", 0, 0, 0, kMainClient.cx - kBrushPanelWidth, kMainClient.cy});
  if (!map_ || !AddBrushPanel(main_.get(), kMainClient.cx)) return false;
  open_ = true;
  // Every window is complete before any is shown, so that whoever waits for
  // the main window finds the tool windows with all their children.
  if (!MakeCamera() || !MakeObject() || !MakePlacement()) return false;
  for (HWND window : {main_.get(), camera_.Window(), object_.Window(), placement_.Window()}) {
    ShowNormal(window);
  }
  return true;
}

// A closed tool window is made again as it was when the program started.
bool RouteEditor::MakeCamera() {
  if (camera_.Window()) return true;
  if (!camera_.Create(main_.get(), kCameraAt)) return false;
  camera_.MoveTo(kStartLatitude, kStartLongitude);
  return true;
}

bool RouteEditor::MakeObject() {
  if (object_.Window()) return true;
  if (!object_.Create(main_.get(), kObjectAt)) return false;
  object_.Select();
  return true;
}

bool RouteEditor::MakePlacement() {
  if (placement_.Window()) return true;
  if (!placement_.Create(main_.get(), kPlacementAt)) return false;
  ToolChanged();
  return true;
}

void RouteEditor::ToolChanged() {
  if (!open_) return;
  std::wstring summary =
      camera_.Summary() + L"\n" + object_.Summary() + L"\n" + placement_.Summary();
  if (!refusals_.Shown().empty()) summary += L"\n" + refusals_.Shown();
  SetText(map_, summary);
}

void RouteEditor::Refuse(const std::wstring& what) {
  refusals_.Refuse(what);
  ToolChanged();
}

void RouteEditor::OpenTool(UINT command) {
  if (command < kOpenCamera || command > kOpenPlacement) return;
  const bool made = command == kOpenCamera   ? MakeCamera()
                    : command == kOpenObject ? MakeObject()
                                             : MakePlacement();
  if (!made) {
    MessageBeep(MB_ICONWARNING);
    return;
  }
  ShowNormal(command == kOpenCamera   ? camera_.Window()
           : command == kOpenObject ? object_.Window()
                                    : placement_.Window());
}

LRESULT RouteEditor::HandleMessage(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_SIZE:
      if (map_) MoveWindow(map_, 0, 0, LOWORD(lparam) - kBrushPanelWidth, HIWORD(lparam), TRUE);
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
