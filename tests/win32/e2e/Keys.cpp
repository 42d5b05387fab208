#include "Keys.h"

namespace tarvik::e2e {

namespace {

// Repeat count 1; the key-up adds the previous-state and transition bits.
constexpr LPARAM kKeyDownFlags = 1;
constexpr LPARAM kKeyUpFlags = static_cast<LPARAM>(0xC0000001u);

}  // namespace

HWND FocusWithin(HWND window, HWND fallback) {
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  DWORD thread = GetWindowThreadProcessId(window, nullptr);
  if (!GetGUIThreadInfo(thread, &info) || !info.hwndFocus) return fallback;
  bool inside = info.hwndFocus == window || IsChild(window, info.hwndFocus);
  return inside ? info.hwndFocus : fallback;
}

bool PostKeyPress(HWND target, UINT virtual_key) {
  return PostMessageW(target, WM_KEYDOWN, virtual_key, kKeyDownFlags) &&
         PostMessageW(target, WM_KEYUP, virtual_key, kKeyUpFlags);
}

}  // namespace tarvik::e2e
