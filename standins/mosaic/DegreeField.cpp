#include "standins/mosaic/DegreeField.h"

#include <commctrl.h>

#include <optional>
#include <string>
#include <string_view>

#include "standins/common/StandinText.h"

namespace tarvik::standins::mosaic {

namespace {

constexpr UINT_PTR kSubclassId = 1;

// The degrees a text stands for: a number, then "d", then nothing.
std::optional<double> Degrees(std::wstring_view text) {
  if (!text.ends_with(L'd')) return std::nullopt;
  text.remove_suffix(1);
  return WholeNumber(text);
}

LRESULT SetDegreeText(HWND edit, LPARAM lparam, DegreeFieldOwner& owner) {
  const std::wstring text = lparam ? reinterpret_cast<const wchar_t*>(lparam) : L"";
  const auto value = Degrees(text);
  if (!value) {
    owner.Refuse(L"\"" + text + L"\" is not degrees followed by d");
    return FALSE;
  }
  const std::wstring shown = Fixed(*value, 5) + kDegreeSuffix;
  return DefSubclassProc(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(shown.c_str()));
}

LRESULT CALLBACK DegreeFieldProcedure(HWND edit, UINT message, WPARAM wparam, LPARAM lparam,
                                      UINT_PTR, DWORD_PTR owner) noexcept {
  switch (message) {
    case WM_SETTEXT:
      try {
        return SetDegreeText(edit, lparam, *reinterpret_cast<DegreeFieldOwner*>(owner));
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

bool MakeDegreeField(HWND edit, DegreeFieldOwner& owner) {
  return SetWindowSubclass(edit, &DegreeFieldProcedure, kSubclassId,
                           reinterpret_cast<DWORD_PTR>(&owner)) != FALSE;
}

}  // namespace tarvik::standins::mosaic
