#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "platform/win32/Handles.h"
#include "standins/routeeditor/RouteEditorHub.h"

namespace tarvik::standins::routeeditor {

inline constexpr wchar_t kPlacementClass[] = L"RouteEditorPlacement";

// The Placement window: where the next object would be placed, in the
// camera's tile, and how it would be turned. Every field can be typed in.
class PlacementTool {
 public:
  explicit PlacementTool(RouteEditorHub& hub) : hub_(hub) {}

  static bool RegisterClass();
  bool Create(HWND owner, POINT at);
  HWND Window() const { return window_.get(); }
  // Closing destroys the window, as the Route Editor's own tool windows
  // go; the main window's Tools menu opens it again.
  void Close();

  std::wstring Summary() const;

  LRESULT HandleMessage(HWND window, UINT message, WPARAM wparam, LPARAM lparam);

 private:
  HWND Child(int index) const;

  RouteEditorHub& hub_;
  std::vector<HWND> children_;
  // Last, so that it goes first: the window's last messages find the rest
  // of the object still there.
  platform::win32::UniqueHwnd window_;
};

}  // namespace tarvik::standins::routeeditor
