#pragma once

#include <windows.h>

#include <functional>
#include <string_view>

namespace tarvik::platform::win32 {

// Sees what the user pastes into an edit control, by Ctrl+V, Shift+Insert
// or the context menu alike, before the control does. The handler returns
// true when it has dealt with the text; otherwise the control pastes it as
// always.
class PasteHook {
 public:
  using Handler = std::function<bool(std::string_view)>;

  PasteHook(HWND edit, Handler handler);
  ~PasteHook();
  PasteHook(const PasteHook&) = delete;
  PasteHook& operator=(const PasteHook&) = delete;

 private:
  static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam,
                                    UINT_PTR id, DWORD_PTR hook);
  // True when the handler took the clipboard's text.
  bool Paste() noexcept;

  HWND edit_;
  Handler handler_;
};

}  // namespace tarvik::platform::win32
