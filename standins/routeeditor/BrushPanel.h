#pragma once

#include <windows.h>

namespace tarvik::standins::routeeditor {

// The terrain brush's settings down the right of the main window: ten rows
// of a label, a number field and its spinner ("msctls_updown32"), made
// right after the map, so that the main window's children are the map
// (1), then the rows (2 to 31), and the last spinner is its 31st
// descendant: a shape Tarvik's window finder counts as a find of its own.
inline constexpr int kBrushPanelWidth = 190;

// Makes the rows in `main`, whose client area is `client_width` wide;
// false when a control could not be made.
bool AddBrushPanel(HWND main, int client_width);

}  // namespace tarvik::standins::routeeditor
