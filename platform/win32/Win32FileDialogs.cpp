#include "platform/win32/Win32FileDialogs.h"

#include <windows.h>

#include <commdlg.h>

#include <vector>

#include "platform/win32/SystemFunction.h"
#include "platform/win32/Utf.h"

namespace tarvik::platform::win32 {

namespace {

// Enough for any path Windows accepts, long paths included.
constexpr DWORD kPathCapacity = 32768;

// "Description|pattern" becomes "Description\0pattern\0\0".
std::wstring FilterText(const std::string& filter) {
  std::wstring text = Widen(filter);
  for (auto& c : text) {
    if (c == L'|') c = L'\0';
  }
  text.push_back(L'\0');
  text.push_back(L'\0');
  return text;
}

std::optional<std::string> Show(const FileDialogOptions& options, bool save) {
  std::wstring filter = FilterText(options.filter);
  std::vector<wchar_t> file(kPathCapacity, L'\0');
  std::wstring initial = Widen(options.initial_name);
  if (initial.size() < kPathCapacity) std::copy(initial.begin(), initial.end(), file.begin());

  std::wstring default_extension = Widen(options.default_extension);
  OPENFILENAMEW dialog{};
  dialog.lStructSize = sizeof dialog;
  dialog.hwndOwner = GetActiveWindow();
  dialog.lpstrFilter = filter.c_str();
  dialog.nFilterIndex = 1;
  dialog.lpstrFile = file.data();
  dialog.nMaxFile = kPathCapacity;
  // Without a default extension a name typed without one is used as typed.
  if (!default_extension.empty()) dialog.lpstrDefExt = default_extension.c_str();
  dialog.Flags = OFN_EXPLORER | OFN_NOCHANGEDIR | (options.hide_read_only ? OFN_HIDEREADONLY : 0);
  auto* show = SystemFunction<decltype(GetOpenFileNameW)>(
      L"comdlg32.dll", save ? "GetSaveFileNameW" : "GetOpenFileNameW");
  if (!show || !show(&dialog)) return std::nullopt;  // cancelled, or the dialog failed
  return Narrow(file.data());
}

}  // namespace

std::optional<std::string> Win32FileDialogs::ShowOpen(const FileDialogOptions& options) {
  return Show(options, false);
}

std::optional<std::string> Win32FileDialogs::ShowSave(const FileDialogOptions& options) {
  return Show(options, true);
}

}  // namespace tarvik::platform::win32
