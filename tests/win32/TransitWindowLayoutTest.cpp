// The RE Transit window on a real window with the desktop's own font, which
// under Wine is wider than the one the design was drawn with.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/memory/FakeDesktop.h"
#include "platform/memory/MemoryServices.h"
#include "platform/win32/Win32FormWindow.h"
#include "transit/Form_RE_Transit.h"

namespace tarvik::platform::win32 {
namespace {

std::wstring ClassOf(HWND window) {
  wchar_t name[64] = {};
  GetClassNameW(window, name, 64);
  return name;
}

std::wstring TextOf(HWND window) {
  std::wstring text(static_cast<size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
  text.resize(static_cast<size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
  return text;
}

int TextWidth(HWND control) {
  HDC dc = GetDC(control);
  HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)));
  const std::wstring text = TextOf(control);
  SIZE size{};
  GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
  SelectObject(dc, old);
  ReleaseDC(control, dc);
  return size.cx;
}

RECT RectInParent(HWND control, HWND parent) {
  RECT rect{};
  GetWindowRect(control, &rect);
  MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

BOOL CALLBACK CollectChild(HWND child, LPARAM list) {
  reinterpret_cast<std::vector<HWND>*>(list)->push_back(child);
  return TRUE;
}

// Frames hold some of the controls as their own children.
std::vector<HWND> Descendants(HWND parent) {
  std::vector<HWND> found;
  EnumChildWindows(parent, &CollectChild, reinterpret_cast<LPARAM>(&found));
  return found;
}

TEST(Win32TransitWindow, EveryTextFitsInsideTheWindow) {
  WindowOptions options;
  options.class_name = L"TarvikTestTransit";
  options.style = WS_POPUP | WS_CAPTION | WS_SYSMENU;
  options.ex_style = WS_EX_TOOLWINDOW;
  Win32FormWindow window(options);
  memory::MemorySettingsStore store;
  memory::FakeDesktop desktop;
  target::Module1 finder(desktop);
  transit::Form_RE_Transit form(
      window, transit::TransitServices{store, finder, [] { return true; }, nullptr, {}});
  form.Form_Load();

  RECT client{};
  GetClientRect(window.Handle(), &client);
  const int box = GetSystemMetrics(SM_CXMENUCHECK);
  int checked = 0;
  for (HWND child : Descendants(window.Handle())) {
    const LONG style = GetWindowLongW(child, GWL_STYLE);
    const bool label = ClassOf(child) == L"Static" && !(style & SS_ICON) &&
                       (style & SS_TYPEMASK) == SS_LEFTNOWORDWRAP;
    const LONG button_type = style & BS_TYPEMASK;
    const bool option = ClassOf(child) == L"Button" &&
                        (button_type == BS_AUTORADIOBUTTON || button_type == BS_RADIOBUTTON ||
                         button_type == BS_AUTOCHECKBOX || button_type == BS_CHECKBOX);
    if (!label && !option) continue;
    const RECT at = RectInParent(child, window.Handle());
    EXPECT_LE(at.right, client.right) << "\"" << ::testing::PrintToString(TextOf(child))
                                      << "\" runs past the window's edge";
    EXPECT_GE(at.right - at.left, TextWidth(child) + (option ? box : 0))
        << ::testing::PrintToString(TextOf(child)) << " is cut";
    ++checked;
  }
  // Six labels before the lat/lon pair and two after, four options and On Top.
  EXPECT_GE(checked, 13);
  form.Form_Unload();
}

}  // namespace
}  // namespace tarvik::platform::win32
