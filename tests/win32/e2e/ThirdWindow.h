#pragma once

#include <windows.h>

#include <string>

#include "platform/win32/Handles.h"

namespace tarvik::e2e {

// A window of some third program as far as input goes: a thread of its
// own with its own message loop, and an edit box that takes the keyboard
// focus whenever the window is active, so that a key that strays there
// shows in it.
class ThirdWindow {
 public:
  ThirdWindow();
  ~ThirdWindow();
  ThirdWindow(const ThirdWindow&) = delete;
  ThirdWindow& operator=(const ThirdWindow&) = delete;

  HWND Window() const { return window_; }
  // Makes it the foreground window; false when it did not come forward.
  bool ComeForward() const;
  // What has been typed into its box.
  std::wstring Typed() const;

 private:
  static DWORD WINAPI Run(void* self);
  static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam);

  platform::win32::UniqueFile made_{CreateEventW(nullptr, TRUE, FALSE, nullptr)};
  HWND window_ = nullptr;
  HWND box_ = nullptr;
  DWORD thread_id_ = 0;
  platform::win32::UniqueFile thread_;
};

}  // namespace tarvik::e2e
