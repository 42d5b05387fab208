#pragma once

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/WindowSystem.h"

namespace tarvik::platform::memory {

// Other programs' windows without a screen. Windows follow the window
// system's rules: a new window goes to the bottom of its siblings' Z order,
// enumeration is depth first in Z order. Every message sent and every key
// typed is written to the log, which a test may share with FakeSystem's
// events to see one sequence.
class FakeDesktop : public WindowSystem {
 public:
  FakeDesktop();

  // Building the desktop.
  WindowHandle AddTopLevel(std::string class_name, std::string title = "");
  WindowHandle AddChild(WindowHandle parent, std::string class_name, std::string text = "");
  void Close(WindowHandle window);
  void SetMinimized(WindowHandle window, bool minimized);
  // A hung window answers no message; its texts read as empty.
  void SetHung(WindowHandle window, bool hung);
  // What a window's own message handling holds (WM_GETTEXT's answer).
  std::string TextOf(WindowHandle window) const;
  // Edit fields of other programs show nothing through Title, as on Windows.
  void SetTitleHidden(WindowHandle window, bool hidden);

  std::vector<std::string>* log;  // defaults to own_log
  std::vector<std::string> own_log;
  WindowHandle foreground = 0;
  // How many titles were read: each costs a call to the window system.
  int title_reads = 0;

  void EnumTopLevel(const Visitor& visit) override;
  void EnumDescendants(WindowHandle parent, const Visitor& visit) override;
  WindowHandle Desktop() override { return kDesktop; }
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

 private:
  static constexpr WindowHandle kDesktop = 1;
  struct Window {
    std::string class_name;
    std::string text;
    WindowHandle parent = 0;
    std::vector<WindowHandle> children;
    bool minimized = false;
    bool hung = false;
    bool title_hidden = false;
  };
  Window* Find(WindowHandle window);
  const Window* Find(WindowHandle window) const;
  bool Answers(WindowHandle window) const;
  bool VisitTree(WindowHandle parent, const Visitor& visit);
  void Log(std::string entry) { log->push_back(std::move(entry)); }
  static std::string Name(WindowHandle window) { return "#" + std::to_string(window); }

  std::map<WindowHandle, Window> windows_;
  WindowHandle next_ = 100;
};

}  // namespace tarvik::platform::memory
