#include "WindowSearch.h"

#include "Waiting.h"

namespace tarvik::e2e {

namespace {

struct TopWindowFilter {
  DWORD process_id;
  std::wstring_view class_name;
  std::vector<HWND> found;
};

BOOL CALLBACK CollectTopWindow(HWND window, LPARAM data) noexcept {
  auto& filter = *reinterpret_cast<TopWindowFilter*>(data);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  if (owner != filter.process_id) return TRUE;
  // Nothing may throw back into EnumWindows; a failed append ends the walk.
  try {
    if (ClassNameOf(window) == filter.class_name) filter.found.push_back(window);
    return TRUE;
  } catch (...) {
    return FALSE;
  }
}

BOOL CALLBACK CollectChild(HWND window, LPARAM data) noexcept {
  try {
    reinterpret_cast<std::vector<HWND>*>(data)->push_back(window);
    return TRUE;
  } catch (...) {
    return FALSE;
  }
}

}  // namespace

std::wstring ClassNameOf(HWND window) {
  // Class names are at most 256 characters long.
  wchar_t name[257] = {};
  int length = GetClassNameW(window, name, static_cast<int>(std::size(name)));
  return std::wstring(name, static_cast<size_t>(length > 0 ? length : 0));
}

std::vector<HWND> TopWindowsOf(DWORD process_id, std::wstring_view class_name) {
  TopWindowFilter filter{process_id, class_name, {}};
  EnumWindows(&CollectTopWindow, reinterpret_cast<LPARAM>(&filter));
  return filter.found;
}

HWND VisibleTopWindowOf(DWORD process_id, std::wstring_view class_name) {
  for (HWND window : TopWindowsOf(process_id, class_name)) {
    if (IsWindowVisible(window)) return window;
  }
  return nullptr;
}

HWND WaitForTopWindow(DWORD process_id, std::wstring_view class_name,
                      std::chrono::milliseconds limit) {
  HWND found = nullptr;
  WaitUntil([&] { return (found = VisibleTopWindowOf(process_id, class_name)) != nullptr; },
            limit);
  return found;
}

bool WaitUntilGoneOrHidden(HWND window, std::chrono::milliseconds limit) {
  return WaitUntil([&] { return !IsWindow(window) || !IsWindowVisible(window); }, limit);
}

std::vector<HWND> DescendantsOf(HWND parent) {
  std::vector<HWND> children;
  EnumChildWindows(parent, &CollectChild, reinterpret_cast<LPARAM>(&children));
  return children;
}

}  // namespace tarvik::e2e
