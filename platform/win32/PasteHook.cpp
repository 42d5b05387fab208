#include "platform/win32/PasteHook.h"

#include <commctrl.h>

#include <optional>
#include <string>

#include "platform/win32/Utf.h"

namespace tarvik::platform::win32 {

namespace {

constexpr UINT_PTR kSubclassId = 0x7061;  // any number unique on the window

// The clipboard is the whole system's: opened for as short a time as can be.
class OpenClipboardScope {
 public:
  explicit OpenClipboardScope(HWND owner) : open_(OpenClipboard(owner) != FALSE) {}
  ~OpenClipboardScope() {
    if (open_) CloseClipboard();
  }
  OpenClipboardScope(const OpenClipboardScope&) = delete;
  OpenClipboardScope& operator=(const OpenClipboardScope&) = delete;
  bool Open() const { return open_; }

 private:
  bool open_;
};

std::optional<std::wstring> ClipboardText(HWND owner) {
  OpenClipboardScope clipboard(owner);
  if (!clipboard.Open()) return std::nullopt;
  HANDLE data = GetClipboardData(CF_UNICODETEXT);
  if (!data) return std::nullopt;
  const auto* text = static_cast<const wchar_t*>(GlobalLock(data));
  if (!text) return std::nullopt;
  // The text ends at its NUL, but never beyond the memory it came in.
  size_t capacity = GlobalSize(data) / sizeof(wchar_t);
  std::wstring copy(text, wcsnlen(text, capacity));
  GlobalUnlock(data);
  return copy;
}

bool IsDown(int key) { return (GetKeyState(key) & 0x8000) != 0; }

// Ctrl+V and the context menu's Paste reach the control as WM_PASTE;
// Shift+Insert makes Wine's edit control paste without one.
bool IsPaste(UINT message, WPARAM wparam) {
  if (message == WM_PASTE) return true;
  return message == WM_KEYDOWN && wparam == VK_INSERT && IsDown(VK_SHIFT) && !IsDown(VK_CONTROL);
}

}  // namespace

PasteHook::PasteHook(HWND edit, Handler handler) : edit_(edit), handler_(std::move(handler)) {
  SetWindowSubclass(edit_, &Procedure, kSubclassId, reinterpret_cast<DWORD_PTR>(this));
}

PasteHook::~PasteHook() { RemoveWindowSubclass(edit_, &Procedure, kSubclassId); }

LRESULT CALLBACK PasteHook::Procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam,
                                      UINT_PTR id, DWORD_PTR hook) {
  if (IsPaste(message, wparam) && reinterpret_cast<PasteHook*>(hook)->Paste()) return 0;
  if (message == WM_NCDESTROY) RemoveWindowSubclass(window, &Procedure, id);
  return DefSubclassProc(window, message, wparam, lparam);
}

bool PasteHook::Paste() noexcept {
  // A read-only or disabled field takes no paste; neither does its handler.
  bool read_only = (GetWindowLongPtrW(edit_, GWL_STYLE) & ES_READONLY) != 0;
  if (read_only || !IsWindowEnabled(edit_) || !handler_) return false;
  try {
    auto text = ClipboardText(edit_);
    return text && handler_(Narrow(*text));
  } catch (...) {
    // Nothing may cross the window procedure; the field pastes as usual.
    return false;
  }
}

}  // namespace tarvik::platform::win32
