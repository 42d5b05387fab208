#include "RealInput.h"

#include <vector>

#include "Keys.h"

namespace tarvik::e2e {

namespace {

// The keys of the navigation block are extended keys; without the flag
// they are taken for the keypad's, which type digits with Num Lock on.
bool IsExtendedKey(WORD virtual_key) {
  switch (virtual_key) {
    case VK_HOME: case VK_END: case VK_PRIOR: case VK_NEXT: case VK_INSERT: case VK_DELETE:
    case VK_LEFT: case VK_RIGHT: case VK_UP: case VK_DOWN:
      return true;
    default:
      return false;
  }
}

INPUT Key(WORD virtual_key, DWORD flags) {
  INPUT input{};
  input.type = INPUT_KEYBOARD;
  input.ki.wVk = virtual_key;
  input.ki.dwFlags = flags | (IsExtendedKey(virtual_key) ? KEYEVENTF_EXTENDEDKEY : 0);
  return input;
}

INPUT MouseButton(DWORD flags) {
  INPUT input{};
  input.type = INPUT_MOUSE;
  input.mi.dwFlags = flags;
  return input;
}

bool Send(std::vector<INPUT> inputs) {
  auto count = static_cast<UINT>(inputs.size());
  return SendInput(count, inputs.data(), sizeof(INPUT)) == count;
}

POINT MiddleOf(HWND window) {
  RECT rect{};
  GetWindowRect(window, &rect);
  return {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
}

bool ClickAt(POINT point) {
  if (!SetCursorPos(point.x, point.y)) return false;
  return Send({MouseButton(MOUSEEVENTF_LEFTDOWN), MouseButton(MOUSEEVENTF_LEFTUP)});
}

}  // namespace

bool ClickMiddleOf(HWND window) { return ClickAt(MiddleOf(window)); }

bool ClickCaptionOf(HWND window) {
  TITLEBARINFO title{};
  title.cbSize = sizeof title;
  if (!GetTitleBarInfo(window, &title)) return false;
  // Left of the middle, clear of the caption buttons at the right.
  const RECT& bar = title.rcTitleBar;
  return ClickAt({bar.left + (bar.right - bar.left) / 3, (bar.top + bar.bottom) / 2});
}

bool BringToForeground(HWND window, milliseconds limit) {
  SetForegroundWindow(window);
  // The switch to another process's window is asynchronous, and so is the
  // focus that its activation then gives the window itself.
  return WaitUntil(
      [&] {
        GUITHREADINFO info{};
        info.cbSize = sizeof info;
        DWORD thread = GetWindowThreadProcessId(window, nullptr);
        bool focused = GetGUIThreadInfo(thread, &info) && info.hwndFocus &&
                       (info.hwndFocus == window || IsChild(window, info.hwndFocus));
        return GetForegroundWindow() == window && focused;
      },
      limit);
}

bool PressKey(WORD virtual_key, bool shift) {
  if (shift) return PressKeyWith(VK_SHIFT, virtual_key);
  return Send({Key(virtual_key, 0), Key(virtual_key, KEYEVENTF_KEYUP)});
}

bool PressKeyWith(WORD modifier, WORD virtual_key) {
  return Send({Key(modifier, 0), Key(virtual_key, 0), Key(virtual_key, KEYEVENTF_KEYUP),
               Key(modifier, KEYEVENTF_KEYUP)});
}

bool PressKeyWith(WORD first, WORD second, WORD virtual_key) {
  return Send({Key(first, 0), Key(second, 0), Key(virtual_key, 0),
               Key(virtual_key, KEYEVENTF_KEYUP), Key(second, KEYEVENTF_KEYUP),
               Key(first, KEYEVENTF_KEYUP)});
}

bool TabInto(HWND window, HWND control, milliseconds limit_per_press) {
  constexpr int kMostPresses = 12;
  for (int press = 0; press < kMostPresses; ++press) {
    HWND before = FocusWithin(window, nullptr);
    if (before == control) return true;
    if (!PressKey(VK_TAB)) return false;
    WaitUntil([&] { return FocusWithin(window, nullptr) != before; }, limit_per_press);
  }
  return FocusWithin(window, nullptr) == control;
}

std::wstring DescribeWindowAt(POINT screen) {
  HWND hit = WindowFromPoint(screen);
  if (!hit) return L"nothing";
  wchar_t name[64] = {};
  GetClassNameW(hit, name, 64);
  return std::wstring(name) + L" with id " + std::to_wstring(GetDlgCtrlID(hit));
}

}  // namespace tarvik::e2e
