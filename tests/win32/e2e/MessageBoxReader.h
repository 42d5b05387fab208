#pragma once

#include <windows.h>

#include <chrono>
#include <string>
#include <vector>

namespace tarvik::e2e {

// A message box of the program under test: a "#32770" window whose text is
// the STATIC with id 0xFFFF.
HWND WaitForMessageBox(DWORD process_id, std::chrono::milliseconds limit);
std::wstring MessageTextOf(HWND box);
std::vector<std::wstring> VisibleButtonsOf(HWND box);
// The visible button with this caption, or nullptr.
HWND ButtonOf(HWND box, const std::wstring& caption);
bool HasIcon(HWND box);

}  // namespace tarvik::e2e
