#pragma once

#include <windows.h>

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace tarvik::standins::testing {

// The target windows as Tarvik's window finder sees them, looked for the
// same way: every top-level window's descendants counted afresh, depth
// first in enumeration order, an "x:" label at position 11, 3 or 5 marking
// its parent as the Camera, Object or Placement window. Only one process's
// windows are looked at, so that other programs on the desktop do not count.
struct RouteEditorFinds {
  HWND train_sim = nullptr;
  HWND camera = nullptr;
  HWND object = nullptr;
  HWND placement = nullptr;
  // How often each was found; the finder takes the last, so more than one
  // find would make it depend on the order of the windows.
  int camera_finds = 0;
  int object_finds = 0;
  int placement_finds = 0;
  // The parent of a spinner ("msctls_updown32") at position 31, which the
  // finder counts as a find too, and how often one was found.
  HWND spinner_parent = nullptr;
  int spinner_finds = 0;
};

RouteEditorFinds FindRouteEditorWindows(DWORD process_id);

// Mosaic's fixed path: the first top-level window in Z order whose title
// begins with "Mosaic", its "AfxControlBar70s" descendant, that bar's first
// child (the pane), the pane's first five children K0..K4, and the first
// children of K1 and K3.
struct MosaicFinds {
  HWND main = nullptr;
  HWND bar = nullptr;
  HWND pane = nullptr;
  std::array<HWND, 5> k{};
  HWND latitude = nullptr;
  HWND longitude = nullptr;
};

MosaicFinds FindMosaicControls(DWORD process_id);

// The n-th direct child (from 1) in sibling order, or nullptr.
HWND NthChild(HWND parent, int n);
// The n-th direct child (from 1) of a class, as FindWindowEx steps through them.
HWND NthChildOfClass(HWND parent, std::wstring_view class_name, int n);
// Class names of the direct children in sibling order.
std::vector<std::wstring> ChildClasses(HWND parent);
// The first descendant of a class, depth first, or nullptr.
HWND FirstDescendantOfClass(HWND parent, std::wstring_view class_name);

}  // namespace tarvik::standins::testing
