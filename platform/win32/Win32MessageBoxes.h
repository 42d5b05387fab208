#pragma once

#include <windows.h>

#include <functional>

#include "platform/MessageBoxes.h"

namespace tarvik::platform::win32 {

// MessageBoxW, modal to the program's active window so that the window
// cannot be used (or closed a second time) while a box waits for an answer.
// With none of the program's windows active (a file dropped from another
// program), the box holds the main window instead.
class Win32MessageBoxes : public MessageBoxes {
 public:
  void SetMainWindow(HWND main_window) { main_window_ = main_window; }
  void Warn(std::string_view text, std::string_view title) override;
  void Inform(std::string_view text, std::string_view title) override;
  Answer Ask(std::string_view text, std::string_view title) override;

 private:
  int Show(std::string_view text, std::string_view title, UINT type);
  HWND Owner() const;

  HWND main_window_ = nullptr;
};

}  // namespace tarvik::platform::win32
