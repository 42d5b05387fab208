#pragma once

#include <windows.h>

namespace tarvik::e2e {

// The control of `window` that has the keyboard focus in the program, or
// `fallback` when the focus is elsewhere.
HWND FocusWithin(HWND window, HWND fallback);

// Posts a key down and up. The program's message loop runs IsDialogMessage,
// so Enter and Esc reach a window's default and cancel buttons this way.
bool PostKeyPress(HWND target, UINT virtual_key);

}  // namespace tarvik::e2e
