#pragma once

#include <windows.h>

#include <functional>

#include "platform/MessageBoxes.h"

namespace tarvik::platform::win32 {

// MessageBoxW, modal to the program's active window so that the window
// cannot be used (or closed a second time) while a box waits for an answer.
class Win32MessageBoxes : public MessageBoxes {
 public:
  void Warn(std::string_view text, std::string_view title) override;
  void Inform(std::string_view text, std::string_view title) override;
  Answer Ask(std::string_view text, std::string_view title) override;

 private:
  int Show(std::string_view text, std::string_view title, UINT type);
};

}  // namespace tarvik::platform::win32
