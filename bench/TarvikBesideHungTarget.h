#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <string_view>

#include "bench/ChildProgram.h"

namespace tarvik::bench {

// A stand-in (standins/README.md) that stops answering once its windows are
// up, and tarvik.exe started beside it, both afresh; Tarvik's main window
// driven from outside as a user drives it. Throws when either does not come
// up in time.
class TarvikBesideHungTarget {
 public:
  TarvikBesideHungTarget(const wchar_t* standin_exe, const wchar_t* standin_class,
                         int timeout_ms);

  HWND Main() const { return main_; }
  bool TargetCountsAsHung() const { return IsHungAppWindow(standin_window_) != FALSE; }
  // A control of the main window by its name in the window's design.
  HWND Control(std::string_view name) const;

  // Selects a target in the drop-down list: 0 Route Editor, 1 Mosaic,
  // 2 USAPhotoMaps.
  void ChooseTarget(int index) const;
  void Type(const std::wstring& name, const std::wstring& latitude,
            const std::wstring& longitude) const;
  bool PostClick(std::string_view button) const;
  // Selects the entire list's first row, as a click does.
  bool PostPickFirstRow() const;

  struct Freeze {
    double ms = 0;
    std::wstring message;  // the message box's text, empty without one
  };
  // Starts a command with `post` and measures how long Tarvik's main window
  // takes to answer a sent message while one of its message boxes is up
  // (a box's loop answers); then presses the box's OK.
  Freeze Measure(const std::function<bool()>& post) const;
  // Presses OK in every message box of Tarvik's that is up.
  void AnswerMessageBoxes() const;

 private:
  int timeout_ms_;
  Stopwatch clock_;
  ChildProgram standin_;
  HWND standin_window_ = nullptr;
  ChildProgram tarvik_;
  HWND main_ = nullptr;
};

}  // namespace tarvik::bench
