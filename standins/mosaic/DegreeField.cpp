#include "standins/mosaic/DegreeField.h"

#include <commctrl.h>

#include <string>

#include "standins/common/StandinText.h"

namespace tarvik::standins::mosaic {

namespace {

constexpr UINT_PTR kSubclassId = 1;

LRESULT SetDegreeText(HWND edit, LPARAM lparam) {
  const auto* text = reinterpret_cast<const wchar_t*>(lparam);
  const auto value = text ? LeadingNumber(text) : std::nullopt;
  if (!value) return DefSubclassProc(edit, WM_SETTEXT, 0, lparam);
  const std::wstring shown = Fixed(*value, 5) + kDegreeSuffix;
  return DefSubclassProc(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(shown.c_str()));
}

LRESULT CALLBACK DegreeFieldProcedure(HWND edit, UINT message, WPARAM wparam, LPARAM lparam,
                                      UINT_PTR, DWORD_PTR) noexcept {
  switch (message) {
    case WM_SETTEXT:
      try {
        return SetDegreeText(edit, lparam);
      } catch (...) {
        return FALSE;
      }
    case WM_NCDESTROY:
      RemoveWindowSubclass(edit, &DegreeFieldProcedure, kSubclassId);
      return DefSubclassProc(edit, message, wparam, lparam);
    default:
      return DefSubclassProc(edit, message, wparam, lparam);
  }
}

}  // namespace

bool MakeDegreeField(HWND edit) {
  return SetWindowSubclass(edit, &DegreeFieldProcedure, kSubclassId, 0) != FALSE;
}

}  // namespace tarvik::standins::mosaic
