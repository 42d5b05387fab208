#pragma once

#include <windows.h>

#include "platform/WindowSystem.h"

namespace tarvik::platform::win32 {

// Other programs' windows through user32. Messages go with a time limit and
// give up at once on a window the system counts as hung, so a target that
// has stopped answering cannot freeze the program.
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
  bool IsHung(WindowHandle window) override;
  Reply SetText(WindowHandle window, std::string_view text) override;
  TextReply GetText(WindowHandle window) override;
  Reply ButtonDown(WindowHandle window) override;
  Reply ButtonUp(WindowHandle window) override;
  Reply Ping(WindowHandle window) override;
  bool IsMinimized(WindowHandle window) override;
  void Restore(WindowHandle window) override;
  void BringToForeground(WindowHandle window) override;
  bool WaitForForeground(WindowHandle window, int limit_ms) override;
  Typing SendKeys(WindowHandle target, const std::vector<KeyStroke>& keys) override;
};

}  // namespace tarvik::platform::win32
