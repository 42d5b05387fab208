#include "standins/common/Controls.h"

#include "platform/win32/Handles.h"

namespace tarvik::standins {

using platform::win32::UniqueHfont;

HFONT DialogFont() {
  static const UniqueHfont font = [] {
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
    return UniqueHfont(CreateFontIndirectW(&metrics.lfMessageFont));
  }();
  return font ? font.get() : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
}

HWND AddChild(HWND parent, const ChildLayout& layout) {
  HWND child = CreateWindowExW(
      0, layout.class_name, layout.text, WS_CHILD | WS_VISIBLE | layout.style, layout.x, layout.y,
      layout.width, layout.height, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(layout.id)),
      GetModuleHandleW(nullptr), nullptr);
  if (child) SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(DialogFont()), FALSE);
  return child;
}

std::vector<HWND> AddChildren(HWND parent, std::span<const ChildLayout> layouts) {
  std::vector<HWND> children;
  children.reserve(layouts.size());
  for (const ChildLayout& layout : layouts) children.push_back(AddChild(parent, layout));
  return children;
}

std::wstring TextOf(HWND window) {
  const int length = GetWindowTextLengthW(window);
  std::wstring text(static_cast<size_t>(length) + 1, L'\0');
  text.resize(static_cast<size_t>(GetWindowTextW(window, text.data(), length + 1)));
  return text;
}

void SetText(HWND window, const std::wstring& text) { SetWindowTextW(window, text.c_str()); }

}  // namespace tarvik::standins
