#include "MessageBoxReader.h"

#include "ControlReader.h"
#include "WindowSearch.h"

namespace tarvik::e2e {

namespace {

constexpr int kMessageTextId = 0xFFFF;
constexpr LONG_PTR kButtonTypeMask = 0x0F;

// Class names compare without regard to case, as Windows itself does.
bool IsClass(HWND window, const wchar_t* class_name) {
  return _wcsicmp(ClassNameOf(window).c_str(), class_name) == 0;
}

bool IsVisiblePushButton(HWND window) {
  if (!IsClass(window, L"Button") || !IsWindowVisible(window)) return false;
  LONG_PTR type = GetWindowLongPtrW(window, GWL_STYLE) & kButtonTypeMask;
  return type == BS_PUSHBUTTON || type == BS_DEFPUSHBUTTON;
}

}  // namespace

HWND WaitForMessageBox(DWORD process_id, std::chrono::milliseconds limit) {
  return WaitForTopWindow(process_id, L"#32770", limit);
}

std::wstring MessageTextOf(HWND box) {
  // The box runs its own modal loop; the stored text needs no answer from it.
  return StoredTextOf(GetDlgItem(box, kMessageTextId));
}

std::vector<std::wstring> VisibleButtonsOf(HWND box) {
  std::vector<std::wstring> captions;
  for (HWND child : DescendantsOf(box)) {
    if (IsVisiblePushButton(child)) captions.push_back(StoredTextOf(child));
  }
  return captions;
}

HWND ButtonOf(HWND box, const std::wstring& caption) {
  for (HWND child : DescendantsOf(box)) {
    if (IsVisiblePushButton(child) && StoredTextOf(child) == caption) return child;
  }
  return nullptr;
}

bool HasIcon(HWND box) {
  for (HWND child : DescendantsOf(box)) {
    bool is_icon = IsClass(child, L"Static") &&
                   (GetWindowLongPtrW(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON;
    // Wine leaves the icon's place visible in a box without one, but empty.
    if (is_icon && IsWindowVisible(child) && Ask(child, STM_GETICON).value_or(0) != 0) {
      return true;
    }
  }
  return false;
}

}  // namespace tarvik::e2e
