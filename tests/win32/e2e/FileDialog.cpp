#include "FileDialog.h"

#include <dlgs.h>

#include "ControlReader.h"
#include "Waiting.h"
#include "WindowSearch.h"

namespace tarvik::e2e {

namespace {

// The name box's id. Under Wine 8 it is a ComboBoxEx (cmb13) holding a combo
// box and an edit of the same id; the older dialog template has a plain
// edit (edt1).
constexpr int kNameBoxIds[] = {cmb13, edt1};

HWND NameBoxOf(HWND dialog) {
  for (int id : kNameBoxIds) {
    if (HWND box = GetDlgItem(dialog, id)) return box;
  }
  return nullptr;
}

bool IsEdit(HWND window) { return _wcsicmp(ClassNameOf(window).c_str(), L"Edit") == 0; }

}  // namespace

HWND WaitForFileDialog(DWORD process_id, std::chrono::milliseconds limit) {
  HWND found = nullptr;
  WaitUntil(
      [&] {
        for (HWND window : TopWindowsOf(process_id, L"#32770")) {
          if (IsWindowVisible(window) && FileNameEditOf(window)) {
            found = window;
            return true;
          }
        }
        return false;
      },
      limit);
  return found;
}

HWND FileNameEditOf(HWND dialog) {
  HWND box = NameBoxOf(dialog);
  if (!box || IsEdit(box)) return box;
  for (HWND child : DescendantsOf(box)) {
    if (IsEdit(child)) return child;
  }
  return nullptr;
}

bool EnterFileName(HWND dialog, const std::wstring& path) {
  HWND edit = FileNameEditOf(dialog);
  if (!edit || !SetText(edit, path)) return false;
  // The dialog reads the name from its own box, which must now show the path.
  if (TextOf(NameBoxOf(dialog)) != path) return false;
  HWND ok = GetDlgItem(dialog, IDOK);
  return ok && PostMessageW(ok, BM_CLICK, 0, 0);
}

}  // namespace tarvik::e2e
