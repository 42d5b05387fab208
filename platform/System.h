#pragma once

#include <string>
#include <string_view>

namespace tarvik::platform {

// Process-wide services that are not a window.
class System {
 public:
  virtual ~System() = default;

  // The folder holding the program's executable, without a trailing
  // backslash.
  virtual std::string ProgramFolder() const = 0;
  // Blocks the thread; no events are handled meanwhile.
  virtual void Sleep(int milliseconds) = 0;
  // Handles the window messages already queued, then returns.
  virtual void DoEvents() = 0;
  // Opens a document with the desktop's program for its type. Returns the
  // shell's result code: above 32 is success.
  virtual long ShellOpen(std::string_view path, std::string_view folder) = 0;
};

}  // namespace tarvik::platform
