#pragma once

#include <windows.h>

#include <functional>

#include "platform/System.h"

namespace tarvik::platform::win32 {

class Win32System : public System {
 public:
  // Gives the dialog navigation of the program's windows (Tab, Enter, Esc)
  // its share of the messages that DoEvents handles.
  using MessageFilter = std::function<bool(MSG&)>;
  explicit Win32System(MessageFilter filter = {}) : filter_(std::move(filter)) {}

  std::string ProgramFolder() const override;
  void Sleep(int milliseconds) override;
  void DoEvents() override;
  long ShellOpen(std::string_view path, std::string_view folder) override;

  // One message taken from the queue goes through the filter, then to its
  // window. False when the message was WM_QUIT.
  bool Dispatch(MSG& message);

 private:
  MessageFilter filter_;
};

}  // namespace tarvik::platform::win32
