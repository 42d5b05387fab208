#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "platform/win32/Handles.h"
#include "standins/routeeditor/RouteEditorHub.h"

namespace tarvik::standins::routeeditor {

inline constexpr wchar_t kObjectClass[] = L"RouteEditorObject";

// The Object window: the selected object's position in the camera's tile.
// Select picks a sample object; Clear leaves none selected, which the
// window shows as x, y and z of "0.000".
class ObjectTool {
 public:
  explicit ObjectTool(RouteEditorHub& hub) : hub_(hub) {}

  static bool RegisterClass();
  bool Create(HWND owner, POINT at);
  HWND Window() const { return window_.get(); }
  // Closing destroys the window, as the Route Editor's own tool windows
  // go; the main window's Tools menu opens it again.
  void Close();

  void Select();
  void Clear();
  std::wstring Summary() const;

  LRESULT HandleMessage(HWND window, UINT message, WPARAM wparam, LPARAM lparam);

 private:
  HWND Child(int index) const;
  void Show(const wchar_t* name, const wchar_t* x, const wchar_t* y, const wchar_t* z);

  RouteEditorHub& hub_;
  std::vector<HWND> children_;
  // Last, so that it goes first: the window's last messages find the rest
  // of the object still there.
  platform::win32::UniqueHwnd window_;
};

}  // namespace tarvik::standins::routeeditor
