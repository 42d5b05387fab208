#pragma once

#include <windows.h>

#include <string>

#include "Waiting.h"

namespace tarvik::e2e {

// Input as a user gives it, through SendInput: it goes through the window
// manager's hit-testing and keyboard focus, which messages posted straight
// to a control skip.

// Moves the mouse to the middle of the window and clicks the left button.
bool ClickMiddleOf(HWND window);

// Clicks the window's title bar, as a user does to turn back to it.
bool ClickCaptionOf(HWND window);

// Makes the window the foreground window, so that keys go to it, and waits
// until its activation has given it the keyboard focus; false when that
// does not happen within the limit.
bool BringToForeground(HWND window, milliseconds limit);

// Presses and releases a key, with Shift held around it when asked.
bool PressKey(WORD virtual_key, bool shift = false);

// Presses a key while holding a modifier (Shift, Ctrl, Alt) down.
bool PressKeyWith(WORD modifier, WORD virtual_key);
// The same with two modifiers held, Ctrl+Shift say.
bool PressKeyWith(WORD first, WORD second, WORD virtual_key);

// Presses Tab, one key at a time, until the control of the window has the
// keyboard focus, from wherever the focus is: activating a window puts it
// on the window itself, sometimes after a click into a control has already
// moved it. False after a dozen presses.
bool TabInto(HWND window, HWND control, milliseconds limit_per_press);

// What the program shows at a point of the screen: the class and id of the
// control under it, for failure reports.
std::wstring DescribeWindowAt(POINT screen);

}  // namespace tarvik::e2e
