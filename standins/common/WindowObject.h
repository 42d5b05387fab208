#pragma once

#include <windows.h>

namespace tarvik::standins {

// A window whose state lives in a C++ object: the object's address comes
// in CreateWindowExW's last argument and stays in GWLP_USERDATA until the
// window is gone. Nothing thrown by a handler leaves the procedure; the
// message then gets Windows' default handling.
template <class Object, LRESULT (Object::*Handler)(HWND, UINT, WPARAM, LPARAM)>
LRESULT CALLBACK ObjectProcedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam) noexcept {
  if (message == WM_NCCREATE) {
    const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lparam);
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  }
  auto* object = reinterpret_cast<Object*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (message == WM_NCDESTROY) SetWindowLongPtrW(window, GWLP_USERDATA, 0);
  if (object) {
    try {
      return (object->*Handler)(window, message, wparam, lparam);
    } catch (...) {
    }
  }
  return DefWindowProcW(window, message, wparam, lparam);
}

// Registers a window class of this program; false when Windows refuses.
bool RegisterStandinClass(const wchar_t* class_name, WNDPROC procedure,
                          int background_colour = COLOR_BTNFACE);

// A top-level window around a client area of the given size. A menu given
// here belongs to the window from then on.
HWND CreateTopWindow(DWORD ex_style, const wchar_t* class_name, const wchar_t* title, DWORD style,
                     POINT at, SIZE client, HWND owner, void* object, HMENU menu = nullptr);

}  // namespace tarvik::standins
