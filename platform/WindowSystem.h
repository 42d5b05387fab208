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

// What came of a message sent to another program's window.
enum class Reply {
  Answered,  // the window handled it
  NoWindow,  // there was no such window (0, or closed meanwhile): nothing happened
  NoAnswer,  // the window is there, but its program did not answer in time
};

struct TextReply {
  Reply reply = Reply::NoWindow;
  std::string text;  // empty unless answered
};

// What came of a batch of keys.
enum class Typing {
  Handled,        // the target's program took every key from its queue
  NotForeground,  // the target did not own the foreground: nothing was typed
  NotHandled,     // typed, but the target did not take them in time
};

// How long a message to another program, or a batch of keys, may wait for
// it: longer, and that program counts as not answering. A command that
// finds a program silent sends it nothing more, so the longest a command
// waits is about one such limit beyond its own pauses.
inline constexpr int kAnswerLimitMs = 500;
inline constexpr int kKeysLimitMs = 800;

// The other programs' windows as the window system shows them. Nothing
// here waits for another program longer than the limits above.
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
  // program reads as empty here; use GetText for its contents). Reading it
  // needs no answer from the window's program.
  virtual std::string Title(WindowHandle window) = 0;

  // Whether the window system already counts the window's program as hung
  // (it has taken no message for a while). Asking sends it nothing.
  virtual bool IsHung(WindowHandle window) = 0;

  // Control texts and clicks through the window's own messages.
  virtual Reply SetText(WindowHandle window, std::string_view text) = 0;
  virtual TextReply GetText(WindowHandle window) = 0;
  virtual Reply ButtonDown(WindowHandle window) = 0;
  virtual Reply ButtonUp(WindowHandle window) = 0;
  // A message that does nothing: whether the window's program answers.
  virtual Reply Ping(WindowHandle window) = 0;

  virtual bool IsMinimized(WindowHandle window) = 0;
  // Both return at once; the window's program carries them out later, or
  // never if it does not answer.
  virtual void Restore(WindowHandle window) = 0;
  virtual void BringToForeground(WindowHandle window) = 0;
  // Waits until the foreground window belongs to `window`'s program (a
  // dialog box of it counts); false once `limit_ms` has passed.
  virtual bool WaitForForeground(WindowHandle window, int limit_ms) = 0;
  // Types the keys into the window with the keyboard focus, but only while
  // the foreground window belongs to `target`'s program, checked just before
  // they go; returns once that program has taken them from its queue, or
  // after kKeysLimitMs.
  virtual Typing SendKeys(WindowHandle target, const std::vector<KeyStroke>& keys) = 0;
};

}  // namespace tarvik::platform
