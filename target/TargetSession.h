#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/WindowSystem.h"

namespace tarvik::target {

class Module1;
using platform::WindowHandle;

// One command's conversation with one target program. Once the program
// leaves a message unanswered, or the window system counts it as hung, it
// is sent nothing more in this command: a program that has stopped
// answering costs a command one wait at most, and the command tells the
// user once, with NotRespondingText.
class TargetSession {
 public:
  // `program` as the user knows it: "Route Editor", "Mosaic", "USAPhotoMaps".
  TargetSession(platform::WindowSystem& windows, std::string_view program);
  TargetSession(const TargetSession&) = delete;
  TargetSession& operator=(const TargetSession&) = delete;

  bool Answering() const { return answering_; }
  std::string NotRespondingText() const;

  void SetText(WindowHandle window, std::string_view text);
  // The window's text, empty for a window that is not there; nullopt when
  // the program did not answer or is no longer asked.
  std::optional<std::string> GetText(WindowHandle window);
  void ButtonDown(WindowHandle window);
  void ButtonUp(WindowHandle window);
  // One message that does nothing; whether the program answered it.
  bool Ping(WindowHandle window);

  // The finder's ActivateWindow, unless the program has stopped answering.
  void Activate(Module1& finder, WindowHandle window);
  // Waits, bounded, until the window's program owns the foreground; one
  // that does not come forward counts as not answering.
  bool WaitForForeground(WindowHandle window);
  // Types one batch into `target`'s program; false, and the program counts
  // as not answering, when it no longer owns the foreground or does not
  // take the keys.
  bool Type(WindowHandle target, const std::vector<platform::KeyStroke>& keys);

 private:
  // Whether to send to the window at all.
  bool MaySend(WindowHandle window);
  void Note(platform::Reply reply);

  platform::WindowSystem& windows_;
  std::string program_;
  bool answering_ = true;
};

}  // namespace tarvik::target
