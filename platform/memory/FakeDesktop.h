#pragma once

#include <functional>
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
// events to see one sequence; one left unanswered is marked so. A
// window's program is its top-level window.
class FakeDesktop : public WindowSystem {
 public:
  FakeDesktop();

  // Building the desktop.
  WindowHandle AddTopLevel(std::string class_name, std::string title = "");
  WindowHandle AddChild(WindowHandle parent, std::string class_name, std::string text = "");
  void Close(WindowHandle window);
  void SetMinimized(WindowHandle window, bool minimized);
  // A hung program answers no message, and the window system says so of
  // every window of it.
  void SetHung(WindowHandle window, bool hung);
  // Once `messages` more have been answered, no window answers any more,
  // though the window system does not say so yet: a program that stops
  // while a command runs.
  void StopAnsweringAfter(int messages);
  // The window's program never comes to the foreground.
  void SetRefusesForeground(WindowHandle window);
  // What a window's own message handling holds (WM_GETTEXT's answer).
  std::string TextOf(WindowHandle window) const;
  // Edit fields of other programs show nothing through Title, as on Windows.
  void SetTitleHidden(WindowHandle window, bool hidden);

  std::vector<std::string>* log;  // defaults to own_log
  std::vector<std::string> own_log;
  // The top-level window in the foreground.
  WindowHandle foreground = 0;
  // Runs after every batch of keys typed, so that a test can move the
  // foreground elsewhere meanwhile.
  std::function<void()> after_keys;
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
    bool refuses_foreground = false;
  };
  Window* Find(WindowHandle window);
  const Window* Find(WindowHandle window) const;
  WindowHandle TopLevelOf(WindowHandle window) const;
  void BringForward(WindowHandle window);
  bool Answers(WindowHandle window) const;
  // Logs the message and says what came of it; an answered one counts
  // towards StopAnsweringAfter.
  Reply Deliver(WindowHandle window, std::string entry);
  bool VisitTree(WindowHandle parent, const Visitor& visit);
  void Log(std::string entry) { log->push_back(std::move(entry)); }
  static std::string Name(WindowHandle window) { return "#" + std::to_string(window); }

  std::map<WindowHandle, Window> windows_;
  WindowHandle next_ = 100;
  int answers_left_ = -1;  // -1: no limit
};

}  // namespace tarvik::platform::memory
