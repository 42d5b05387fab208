#include "platform/win32/Win32MessageBoxes.h"

#include "platform/win32/Utf.h"

namespace tarvik::platform::win32 {

int Win32MessageBoxes::Show(std::string_view text, std::string_view title, UINT type) {
  return MessageBoxW(Owner(), Widen(text).c_str(), Widen(title).c_str(), type | MB_SETFOREGROUND);
}

HWND Win32MessageBoxes::Owner() const {
  if (HWND active = GetActiveWindow()) return active;
  // A hidden main window (still loading, or being closed) would keep the
  // box out of the taskbar and out of sight.
  if (main_window_ && IsWindowVisible(main_window_)) return main_window_;
  return nullptr;
}

void Win32MessageBoxes::Warn(std::string_view text, std::string_view title) {
  Show(text, title, MB_OK | MB_ICONEXCLAMATION);
}

void Win32MessageBoxes::Inform(std::string_view text, std::string_view title) {
  Show(text, title, MB_OK);
}

Answer Win32MessageBoxes::Ask(std::string_view text, std::string_view title) {
  return Show(text, title, MB_YESNO) == IDYES ? Answer::Yes : Answer::No;
}

}  // namespace tarvik::platform::win32
