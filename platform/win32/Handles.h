#pragma once

#include <windows.h>

#include <shellapi.h>

#include <memory>
#include <type_traits>

#include "platform/win32/SystemFunction.h"

namespace tarvik::platform::win32 {

// One move-only owner per kind of handle, each releasing with its own call.
template <class Handle, auto Release>
struct HandleDeleter {
  using pointer = Handle;
  void operator()(Handle handle) const noexcept {
    if (handle) Release(handle);
  }
};

template <class Handle, auto Release>
using UniqueHandle = std::unique_ptr<std::remove_pointer_t<Handle>, HandleDeleter<Handle, Release>>;

using UniqueHwnd = UniqueHandle<HWND, &DestroyWindow>;
using UniqueHfont = UniqueHandle<HFONT, &DeleteObject>;
using UniqueHbrush = UniqueHandle<HBRUSH, &DeleteObject>;
using UniqueHbitmap = UniqueHandle<HBITMAP, &DeleteObject>;
using UniqueHicon = UniqueHandle<HICON, &DestroyIcon>;
using UniqueHmenu = UniqueHandle<HMENU, &DestroyMenu>;
using UniqueHkey = UniqueHandle<HKEY, &RegCloseKey>;
using UniqueHhook = UniqueHandle<HHOOK, &UnhookWindowsHookEx>;
using UniqueHdc = UniqueHandle<HDC, &DeleteDC>;
using UniqueFile = UniqueHandle<HANDLE, &CloseHandle>;
// shell32 is loaded when a drop first comes (see SystemFunction).
inline void FinishDrop(HDROP drop) {
  if (auto* finish = SystemFunction<decltype(DragFinish)>(L"shell32.dll", "DragFinish")) finish(drop);
}
using UniqueHdrop = UniqueHandle<HDROP, &FinishDrop>;

// A DC borrowed with GetDC goes back with ReleaseDC on the same window.
class WindowDc {
 public:
  explicit WindowDc(HWND window) : window_(window), dc_(GetDC(window)) {}
  ~WindowDc() {
    if (dc_) ReleaseDC(window_, dc_);
  }
  WindowDc(const WindowDc&) = delete;
  WindowDc& operator=(const WindowDc&) = delete;
  HDC get() const { return dc_; }

 private:
  HWND window_;
  HDC dc_;
};

// Selects an object into a DC for one scope.
class SelectedObject {
 public:
  SelectedObject(HDC dc, HGDIOBJ object) : dc_(dc), previous_(SelectObject(dc, object)) {}
  ~SelectedObject() { SelectObject(dc_, previous_); }
  SelectedObject(const SelectedObject&) = delete;
  SelectedObject& operator=(const SelectedObject&) = delete;

 private:
  HDC dc_;
  HGDIOBJ previous_;
};

}  // namespace tarvik::platform::win32
