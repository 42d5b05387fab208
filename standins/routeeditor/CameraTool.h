#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "platform/win32/Handles.h"
#include "standins/routeeditor/RouteEditorHub.h"

namespace tarvik::standins::routeeditor {

inline constexpr wchar_t kCameraClass[] = L"RouteEditorCamera";

// The Camera window: where the camera stands, as metres within a tile and
// as latitude and longitude. Pressing its button moves the camera to the
// typed latitude and longitude; the height stays.
class CameraTool {
 public:
  explicit CameraTool(RouteEditorHub& hub) : hub_(hub) {}

  static bool RegisterClass();
  bool Create(HWND owner, POINT at);
  HWND Window() const { return window_.get(); }
  // Closing destroys the window, as the Route Editor's own tool windows
  // go; the main window's Tools menu opens it again.
  void Close();

  // Moves the camera; false, with nothing changed, for a place off the map.
  bool MoveTo(double latitude_degrees, double longitude_degrees);
  std::wstring Summary() const;

  LRESULT HandleMessage(HWND window, UINT message, WPARAM wparam, LPARAM lparam);

 private:
  HWND Child(int index) const;
  void MoveToTypedPosition();

  RouteEditorHub& hub_;
  std::vector<HWND> children_;
  // Where the last move went; the fields may hold a place typed since.
  std::wstring shown_at_;
  // Last, so that it goes first: the window's last messages find the rest
  // of the object still there.
  platform::win32::UniqueHwnd window_;
};

}  // namespace tarvik::standins::routeeditor
