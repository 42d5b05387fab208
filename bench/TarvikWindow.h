#pragma once

#include <windows.h>

#include "bench/ChildProgram.h"

#include <optional>
#include <string>
#include <string_view>

namespace tarvik::bench {

// tarvik.exe's main window driven from another process: controls and menu
// commands named as the program's design names them, and the waits that a
// benchmark times.
class TarvikWindow {
 public:
  TarvikWindow(HWND main, DWORD process_id) : main_(main), process_id_(process_id) {}

  HWND Control(std::string_view name) const;
  // Posted as the menu bar and the controls send them.
  bool PostMenu(std::string_view menu) const;
  bool PostClick(std::string_view button) const;
  bool PostSelectionChange(std::string_view list) const;

  // Sends a message that the window's thread answers as soon as it takes
  // messages again, after whatever it was doing; false after the limit.
  bool WaitUntilAnswering(DWORD limit_ms) const;
  // Waits until the program has taken every message posted to it so far:
  // after the command they asked for, or when that command first lets
  // waiting events run. A sent message cannot tell: the program takes sent
  // messages before posted ones. The milliseconds on `clock` at that
  // moment; nullopt after the limit.
  std::optional<double> WhenPostedMessagesTaken(const Stopwatch& clock, DWORD limit_ms) const;

  bool SetText(std::string_view control, const std::wstring& text) const;
  std::wstring Caption() const;
  int ListCount(std::string_view list) const;
  std::wstring ListRow(std::string_view list, int index) const;

  // A message box of the program that is up now, or null.
  HWND MessageBox() const;
  HWND WaitForMessageBox(DWORD limit_ms) const;
  std::wstring MessageText(HWND box) const;
  // Presses a button of the box and waits until the box has gone.
  bool Answer(HWND box, int button, DWORD limit_ms) const;

 private:
  HWND main_;
  DWORD process_id_;
};

}  // namespace tarvik::bench
