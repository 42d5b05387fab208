#pragma once

#include <windows.h>

#include <string>
#include <utility>

#include "platform/win32/Handles.h"
#include "standins/common/Refusals.h"
#include "standins/routeeditor/CameraTool.h"
#include "standins/routeeditor/ObjectTool.h"
#include "standins/routeeditor/PlacementTool.h"
#include "standins/routeeditor/RouteEditorHub.h"

namespace tarvik::standins::routeeditor {

// Tarvik finds the Route Editor by this class name.
inline constexpr wchar_t kMainClass[] = L"TrainSim";

// The stand-in Route Editor: a main window that sums up where everything
// is, and the three tool windows that Tarvik reads and drives.
class RouteEditor final : public RouteEditorHub {
 public:
  // Refusals go into the file at `log_path`, if one is given.
  explicit RouteEditor(std::wstring log_path) : refusals_(std::move(log_path)) {}
  ~RouteEditor();
  RouteEditor(const RouteEditor&) = delete;
  RouteEditor& operator=(const RouteEditor&) = delete;

  // Registers the classes, opens every window and puts the camera over the
  // Route Editor's example tile; false when a window could not be made.
  bool Open();
  void ToolChanged() override;
  void Refuse(const std::wstring& what) override;

  LRESULT HandleMessage(HWND window, UINT message, WPARAM wparam, LPARAM lparam);

 private:
  bool RegisterClasses();
  // Each makes its tool window, hidden, unless it is there; false when the
  // window could not be made.
  bool MakeCamera();
  bool MakeObject();
  bool MakePlacement();
  // A command of the Tools menu: makes the tool window when it is closed
  // and shows it.
  void OpenTool(UINT command);

  Refusals refusals_;
  platform::win32::UniqueHwnd main_;
  HWND map_ = nullptr;
  CameraTool camera_{*this};
  ObjectTool object_{*this};
  PlacementTool placement_{*this};
  bool open_ = false;
};

}  // namespace tarvik::standins::routeeditor
