#include "bench/TransitParts.h"

#include <vector>

#include "platform/win32/Utf.h"
#include "transit/TransitWindowDesign.h"

namespace tarvik::bench {

namespace {

// Win32FormWindow numbers the controls from 100 in the design's order.
constexpr int kFirstControlId = 100;
constexpr UINT kAnswerMs = 2000;

struct PartSearch {
  int id;
  HWND found;
};

// A frame's controls are its children, not the window's, so the search
// covers every descendant.
BOOL CALLBACK CheckPart(HWND child, LPARAM data) noexcept {
  auto& search = *reinterpret_cast<PartSearch*>(data);
  if (GetDlgCtrlID(child) != search.id) return TRUE;
  search.found = child;
  return FALSE;
}

std::optional<LRESULT> Ask(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  DWORD_PTR result = 0;
  if (!SendMessageTimeoutW(window, message, wparam, lparam, SMTO_ABORTIFHUNG, kAnswerMs, &result)) {
    return std::nullopt;
  }
  return static_cast<LRESULT>(result);
}

}  // namespace

HWND TransitPart(HWND transit, std::string_view name) {
  const auto& design = transit::TransitWindowControls();
  for (size_t i = 0; i < design.size(); ++i) {
    if (design[i].name != name) continue;
    PartSearch search{kFirstControlId + static_cast<int>(i), nullptr};
    EnumChildWindows(transit, &CheckPart, reinterpret_cast<LPARAM>(&search));
    return search.found;
  }
  return nullptr;
}

std::optional<std::wstring> TextOf(HWND window) {
  auto length = Ask(window, WM_GETTEXTLENGTH, 0, 0);
  if (!length) return std::nullopt;
  std::vector<wchar_t> text(static_cast<size_t>(*length) + 1);
  auto copied = Ask(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()));
  if (!copied) return std::nullopt;
  return std::wstring(text.data(), static_cast<size_t>(*copied));
}

std::string Shown(HWND window) {
  if (!window) return "(no such control)";
  auto text = TextOf(window);
  if (!text) return "(no answer)";
  std::string quoted = "\"";
  quoted += platform::win32::Narrow(*text);
  quoted += '"';
  return quoted;
}

}  // namespace tarvik::bench
