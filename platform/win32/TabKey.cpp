#include "platform/win32/TabKey.h"

#include <optional>
#include <vector>

#include "platform/TabOrder.h"

namespace tarvik::platform::win32 {

namespace {

bool KeyDown(int key) { return (GetKeyState(key) & 0x8000) != 0; }

// A plain Tab that the focused control leaves to the window.
bool IsNavigationTab(const MSG& message) {
  if (message.message != WM_KEYDOWN || message.wParam != VK_TAB) return false;
  if (KeyDown(VK_CONTROL) || KeyDown(VK_MENU)) return false;
  auto wants = SendMessageW(message.hwnd, WM_GETDLGCODE, message.wParam,
                            reinterpret_cast<LPARAM>(&message));
  return (wants & (DLGC_WANTTAB | DLGC_WANTALLKEYS)) == 0;
}

// As the dialog manager decides it. An option button's tab stop moves to
// whichever button of its group is checked, so the style is read each time.
bool TakesFocus(HWND control) {
  bool tab_stop = (GetWindowLongPtrW(control, GWL_STYLE) & WS_TABSTOP) != 0;
  return tab_stop && IsWindowVisible(control) && IsWindowEnabled(control);
}

}  // namespace

bool MoveFocusOnTabKey(const MSG& message, std::span<const std::unique_ptr<ChildWindow>> controls) {
  if (!IsNavigationTab(message)) return false;
  const HWND focus = GetFocus();
  std::vector<TabStop> stops;
  std::optional<std::size_t> from;
  for (std::size_t i = 0; i < controls.size(); ++i) {
    HWND control = controls[i]->Hwnd();
    stops.push_back({controls[i]->Layout().tab_index, TakesFocus(control)});
    if (focus && (focus == control || IsChild(control, focus))) from = i;
  }
  std::optional<std::size_t> next = NextTabStop(stops, from, KeyDown(VK_SHIFT));
  if (!next) return false;
  HWND target = controls[*next]->Hwnd();
  // A text box tabbed into has its text selected, as in a dialog.
  if (SendMessageW(target, WM_GETDLGCODE, 0, 0) & DLGC_HASSETSEL) {
    SendMessageW(target, EM_SETSEL, 0, -1);
  }
  SetFocus(target);
  return true;
}

}  // namespace tarvik::platform::win32
