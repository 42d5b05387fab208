#pragma once

#include <windows.h>

#include <psapi.h>

#include <string>

#include "bench/ChildProgram.h"

namespace tarvik::bench {

// A fresh tarvik.exe driven through the File menu's commands that name a
// file, each timed from the file dialog's button to the command's end.
class TarvikFileCommands {
 public:
  explicit TarvikFileCommands(const std::wstring& exe);
  // An import leaves the list changed, so the program is ended by force and
  // keeps a copy of it, which the next start would offer back: it is cleared.
  ~TarvikFileCommands();
  TarvikFileCommands(const TarvikFileCommands&) = delete;
  TarvikFileCommands& operator=(const TarvikFileCommands&) = delete;

  // A command that ends with a box: the summary, or why the file was
  // refused. The box is closed again.
  struct Boxed {
    double ms = 0;
    std::wstring text;
  };
  Boxed ChooseUntilBox(const char* menu, const std::wstring& path);
  // A command that ends when the window answers again.
  double ChooseUntilAnswering(const char* menu, const std::wstring& path);
  // New, without saving a changed list.
  void Empty(bool changed);

  PROCESS_MEMORY_COUNTERS Memory() const;

 private:
  // Enters the path in the menu's file dialog and starts the clock as the
  // dialog goes: the command's work starts then.
  void EnterInDialog(const char* menu, const std::wstring& path);
  HWND WaitForMessageBox();

  Stopwatch clock_;
  ChildProgram program_;
  HWND main_ = nullptr;
};

// Writes the bytes as the whole of the file, or throws.
void WriteBenchFile(const std::wstring& path, const std::string& bytes);

}  // namespace tarvik::bench
