#pragma once

#include <windows.h>

#include <chrono>
#include <string>

namespace tarvik::e2e {

// The program's explorer-style open or save dialog: a "#32770" window that,
// unlike a message box, has a file name box.
HWND WaitForFileDialog(DWORD process_id, std::chrono::milliseconds limit);

// The EDIT the user types the file name into, or nullptr.
HWND FileNameEditOf(HWND dialog);

// Types `path` into the name box and presses the dialog's OK button (captioned
// Save or Open). The press is posted, so that a message box the dialog may
// raise cannot block the caller; wait for the dialog to go afterwards.
bool EnterFileName(HWND dialog, const std::wstring& path);

}  // namespace tarvik::e2e
