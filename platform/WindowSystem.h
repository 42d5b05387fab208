#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace tarvik::platform {

// Another program's window; 0 is no window.
using WindowHandle = std::uintptr_t;

// One step of a keystroke sequence. Text is typed literally, character by
// character: nothing in it is a key command.
struct KeyStroke {
  enum class Kind { Text, AltChord, Key, Tab, Enter, Escape };
  Kind kind = Kind::Text;
  std::string text;  // Text: the characters; AltChord and Key: one letter
  int count = 1;     // Tab: how many times

  bool operator==(const KeyStroke&) const = default;
};

// The other programs' windows as the window system shows them. Every
// message to another program's window is bounded in time: a window that
// does not answer counts as no window, and a text read from it is empty.
class WindowSystem {
 public:
  virtual ~WindowSystem() = default;

  using Visitor = std::function<bool(WindowHandle)>;  // false stops
  // Top-level windows in Z order.
  virtual void EnumTopLevel(const Visitor& visit) = 0;
  // Every descendant, depth first: a child, its own descendants, then its
  // next sibling; siblings in Z order.
  virtual void EnumDescendants(WindowHandle parent, const Visitor& visit) = 0;

  virtual WindowHandle Desktop() = 0;
  virtual WindowHandle Parent(WindowHandle window) = 0;
  virtual WindowHandle FirstChild(WindowHandle window) = 0;
  virtual WindowHandle NextSibling(WindowHandle window) = 0;
  // The next direct child of `parent` after `after` (0: from the first)
  // whose class is `class_name`.
  virtual WindowHandle FindChild(WindowHandle parent, WindowHandle after,
                                 std::string_view class_name) = 0;

  virtual std::string ClassName(WindowHandle window) = 0;
  // The title as the window manager keeps it (an edit field of another
  // program reads as empty here; use GetText for its contents).
  virtual std::string Title(WindowHandle window) = 0;

  // Control texts through the window's own messages.
  virtual void SetText(WindowHandle window, std::string_view text) = 0;
  virtual std::string GetText(WindowHandle window) = 0;
  virtual void ButtonDown(WindowHandle window) = 0;
  virtual void ButtonUp(WindowHandle window) = 0;

  virtual bool IsMinimized(WindowHandle window) = 0;
  virtual void Restore(WindowHandle window) = 0;
  virtual void BringToForeground(WindowHandle window) = 0;
  // Sends keystrokes to the window with the keyboard focus and returns once
  // that window has handled them (or a time limit passed).
  virtual void SendKeys(const std::vector<KeyStroke>& keys) = 0;
};

}  // namespace tarvik::platform
