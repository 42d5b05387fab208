#include "standins/common/WindowObject.h"

namespace tarvik::standins {

bool RegisterStandinClass(const wchar_t* class_name, WNDPROC procedure, int background_colour) {
  WNDCLASSEXW cls{};
  cls.cbSize = sizeof cls;
  cls.lpfnWndProc = procedure;
  cls.hInstance = GetModuleHandleW(nullptr);
  cls.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  cls.hIcon = LoadIconW(nullptr, IDI_APPLICATION);
  cls.hbrBackground = GetSysColorBrush(background_colour);
  cls.lpszClassName = class_name;
  return RegisterClassExW(&cls) != 0;
}

HWND CreateTopWindow(DWORD ex_style, const wchar_t* class_name, const wchar_t* title, DWORD style,
                     POINT at, SIZE client, HWND owner, void* object, HMENU menu) {
  RECT outer{0, 0, client.cx, client.cy};
  AdjustWindowRectEx(&outer, style, menu != nullptr, ex_style);
  return CreateWindowExW(ex_style, class_name, title, style, at.x, at.y, outer.right - outer.left,
                         outer.bottom - outer.top, owner, menu, GetModuleHandleW(nullptr), object);
}

}  // namespace tarvik::standins
