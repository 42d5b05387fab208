#pragma once

#include <windows.h>

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace tarvik::standins::testing {

// Messages into another process's window, as Tarvik sends them, each with a
// time limit so that a stand-in that stops answering fails the test
// instead of hanging it.

// WM_GETTEXTLENGTH then WM_GETTEXT; nullopt when the window does not answer.
std::optional<std::wstring> RemoteText(HWND window);
// WM_SETTEXT; false when the window does not answer.
bool SetRemoteText(HWND window, const std::wstring& text);
// Left button down, a pause, left button up, both at the window's corner.
// Tarvik holds a button for 200 ms and clicks into a field without a pause.
inline constexpr DWORD kButtonHoldMs = 200;
bool Press(HWND window, DWORD hold_ms);
// Whether the window's thread answers a message within the limit.
bool Answers(HWND window, DWORD limit_ms);

// Keystrokes into the foreground window: makes `window` the foreground
// window, types the keys and waits until its thread has taken every one
// from its queue (a sentinel F24 press, seen through the shared key state).
// Returns what went wrong, or an empty text.
std::string TypeInto(HWND window, std::span<const INPUT> keys);

// Building blocks for the keys: a virtual key pressed and released, Alt
// held around a key, and characters typed as themselves.
void AddKey(std::vector<INPUT>& keys, WORD virtual_key);
void AddAltKey(std::vector<INPUT>& keys, WORD virtual_key);
void AddCharacters(std::vector<INPUT>& keys, std::wstring_view text);

}  // namespace tarvik::standins::testing
