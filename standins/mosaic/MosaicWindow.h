#pragma once

#include <windows.h>

#include <array>

#include "platform/win32/Handles.h"

namespace tarvik::standins::mosaic {

// Tarvik finds Mosaic by a title that begins with "Mosaic" and, inside it,
// a control bar of this class.
inline constexpr wchar_t kControlBarClass[] = L"AfxControlBar70s";

// The stand-in Mosaic: a frame with a control bar holding the coordinate
// pane, and the map below it showing where the map is.
class MosaicWindow {
 public:
  MosaicWindow() = default;
  MosaicWindow(const MosaicWindow&) = delete;
  MosaicWindow& operator=(const MosaicWindow&) = delete;

  bool Open();
  // Moves the map; false, with nothing changed, for a place off the map.
  bool MoveMapTo(double latitude, double longitude);

  LRESULT HandleFrameMessage(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
  LRESULT HandlePaneMessage(HWND window, UINT message, WPARAM wparam, LPARAM lparam);

 private:
  bool RegisterClasses();
  bool CreatePane();
  void MoveMapToTypedPosition();

  HWND bar_ = nullptr;
  HWND pane_ = nullptr;
  HWND latitude_ = nullptr;
  HWND longitude_ = nullptr;
  HWND go_ = nullptr;
  HWND map_ = nullptr;
  // Last, so that it goes first: the window's last messages find the rest
  // of the object still there.
  platform::win32::UniqueHwnd frame_;
};

}  // namespace tarvik::standins::mosaic
