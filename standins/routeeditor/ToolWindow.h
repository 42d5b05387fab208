#pragma once

#include <windows.h>

namespace tarvik::standins::routeeditor {

// The frame shared by the Camera, Object and Placement windows: a small
// captioned top-level window owned by the main window. Each is a top-level
// window of its own because Tarvik counts the descendants of every
// top-level window afresh.
inline constexpr DWORD kToolStyle = WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
inline constexpr DWORD kToolExStyle = WS_EX_TOOLWINDOW;

// Grid of the tool windows' forms, in client pixels.
inline constexpr int kMargin = 10;
inline constexpr int kRowHeight = 22;
inline constexpr int kRowPitch = 27;
inline constexpr int kLabelWidth = 60;
inline constexpr int kFieldWidth = 150;
inline constexpr int kFieldLeft = kMargin + kLabelWidth + 4;

constexpr int RowTop(int row) { return kMargin + row * kRowPitch; }

}  // namespace tarvik::standins::routeeditor
