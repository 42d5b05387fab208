#pragma once

#include <windows.h>

#include "platform/WindowSystem.h"

namespace tarvik::platform::win32 {

// Other programs' windows through user32. Messages go with a time limit and
// give up on a window that has stopped responding, so a hung target cannot
// freeze the program.
class Win32WindowSystem : public WindowSystem {
 public:
  void EnumTopLevel(const Visitor& visit) override;
  void EnumDescendants(WindowHandle parent, const Visitor& visit) override;
  WindowHandle Desktop() override;
  WindowHandle Parent(WindowHandle window) override;
  WindowHandle FirstChild(WindowHandle window) override;
  WindowHandle NextSibling(WindowHandle window) override;
  WindowHandle FindChild(WindowHandle parent, WindowHandle after, std::string_view class_name) override;
  std::string ClassName(WindowHandle window) override;
  std::string Title(WindowHandle window) override;
  void SetText(WindowHandle window, std::string_view text) override;
  std::string GetText(WindowHandle window) override;
  void ButtonDown(WindowHandle window) override;
  void ButtonUp(WindowHandle window) override;
  bool IsMinimized(WindowHandle window) override;
  void Restore(WindowHandle window) override;
  void BringToForeground(WindowHandle window) override;
  void SendKeys(const std::vector<KeyStroke>& keys) override;
};

}  // namespace tarvik::platform::win32
