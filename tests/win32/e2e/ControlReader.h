#pragma once

#include <windows.h>

#include <chrono>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tarvik::e2e {

// Control and menu ids follow from the windows' design tables, so the tests
// name controls the way the program's code does. An unknown name throws,
// which fails the test that asked for it.
int MainControlId(std::string_view name);
int MainMenuId(std::string_view name);
int AboutControlId(std::string_view name);
int SplashControlId(std::string_view name);

HWND MainControl(HWND main_window, std::string_view name);
HWND AboutControl(HWND about_box, std::string_view name);

// The text through WM_GETTEXT, which also reads another process's EDIT; the
// send gives up after a second when the program does not answer.
std::optional<std::wstring> TextOf(HWND window);

// The text the window manager keeps for a window; it needs no answer from
// the program, so it works while the program's thread is blocked.
std::wstring StoredTextOf(HWND window);

// Presses a button and returns once the program has handled the click.
bool Click(HWND button);

std::optional<LRESULT> Ask(HWND window, UINT message, WPARAM wparam = 0, LPARAM lparam = 0);
// As Ask, for a message whose handling takes its time: waits up to `limit`,
// also while the program sits in calls to a program that does not answer.
std::optional<LRESULT> AskWithin(std::chrono::milliseconds limit, HWND window, UINT message,
                                 WPARAM wparam = 0, LPARAM lparam = 0);

// The notification a list or combo box sends its parent when the user
// changes the selection (LBN_SELCHANGE, CBN_SELCHANGE). Sent, it returns
// once the program has handled it; posted, at once, for a command that
// shows a message box.
bool Notify(HWND control, WORD code, std::chrono::milliseconds limit);
bool PostNotify(HWND control, WORD code);

std::optional<std::wstring> ComboItem(HWND combo, int index);
std::optional<std::wstring> ListItem(HWND list, int index);
// Every row of a list box, top to bottom.
std::optional<std::vector<std::wstring>> ListRows(HWND list);

// WM_SETTEXT, as typing or pasting into the box would leave it.
bool SetText(HWND window, const std::wstring& text);

// Posts a menu command the way the menu bar sends it.
bool PostMenuCommand(HWND window, int id);

bool HasStyle(HWND window, LONG_PTR style);
bool HasExStyle(HWND window, LONG_PTR ex_style);

}  // namespace tarvik::e2e
