#include "Installation.h"

#include <shlwapi.h>
#include <wrl/client.h>

#include "platform/win32/Handles.h"

namespace tarvik::e2e {

using Microsoft::WRL::ComPtr;
using platform::win32::UniqueFile;
using platform::win32::UniqueHicon;
using platform::win32::UniqueHkey;

std::optional<DWORD> RunToEnd(std::wstring command_line, std::chrono::milliseconds limit) {
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION info{};
  if (!CreateProcessW(nullptr, command_line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                      &startup, &info)) {
    return std::nullopt;
  }
  UniqueFile process(info.hProcess);
  UniqueFile thread(info.hThread);
  DWORD code = 0;
  if (WaitForSingleObject(info.hProcess, static_cast<DWORD>(limit.count())) != WAIT_OBJECT_0 ||
      !GetExitCodeProcess(info.hProcess, &code)) {
    TerminateProcess(info.hProcess, 1);
    return std::nullopt;
  }
  return code;
}

std::optional<std::wstring> RegistryText(HKEY root, const std::wstring& key,
                                         const std::wstring& name) {
  constexpr DWORD kFlags = RRF_RT_REG_SZ | RRF_RT_REG_EXPAND_SZ | RRF_NOEXPAND;
  const wchar_t* value = name.empty() ? nullptr : name.c_str();
  DWORD bytes = 0;
  if (RegGetValueW(root, key.c_str(), value, kFlags, nullptr, nullptr, &bytes) != ERROR_SUCCESS) {
    return std::nullopt;
  }
  std::wstring text(bytes / sizeof(wchar_t) + 1, L'\0');
  bytes = static_cast<DWORD>(text.size() * sizeof(wchar_t));
  if (RegGetValueW(root, key.c_str(), value, kFlags, nullptr, text.data(), &bytes) !=
      ERROR_SUCCESS) {
    return std::nullopt;
  }
  text.resize(wcsnlen(text.c_str(), text.size()));
  return text;
}

bool RegistryKeyExists(HKEY root, const std::wstring& key) {
  HKEY raw = nullptr;
  if (RegOpenKeyExW(root, key.c_str(), 0, KEY_READ, &raw) != ERROR_SUCCESS) return false;
  UniqueHkey opened(raw);
  return true;
}

bool WriteRegistryText(HKEY root, const std::wstring& key, const std::wstring& name,
                       const std::wstring& value) {
  const auto bytes = static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t));
  return RegSetKeyValueW(root, key.c_str(), name.empty() ? nullptr : name.c_str(), REG_SZ,
                         value.c_str(), bytes) == ERROR_SUCCESS;
}

std::vector<ListedProgram> ProgramsListedAs(const std::wstring& name) {
  const std::wstring list = L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall";
  std::vector<ListedProgram> found;
  HKEY raw = nullptr;
  if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, list.c_str(), 0, KEY_READ, &raw) != ERROR_SUCCESS) {
    return found;
  }
  UniqueHkey opened(raw);
  wchar_t entry[256];
  for (DWORD index = 0;; ++index) {
    DWORD length = ARRAYSIZE(entry);
    if (RegEnumKeyExW(raw, index, entry, &length, nullptr, nullptr, nullptr, nullptr) !=
        ERROR_SUCCESS) {
      return found;
    }
    const std::wstring key = list + L"\\" + entry;
    if (RegistryText(HKEY_LOCAL_MACHINE, key, L"DisplayName") != name) continue;
    found.push_back({RegistryText(HKEY_LOCAL_MACHINE, key, L"DisplayVersion").value_or(L""),
                     RegistryText(HKEY_LOCAL_MACHINE, key, L"UninstallString").value_or(L"")});
  }
}

std::filesystem::path KnownFolder(REFKNOWNFOLDERID id) {
  PWSTR raw = nullptr;
  std::filesystem::path folder;
  if (SUCCEEDED(SHGetKnownFolderPath(id, 0, nullptr, &raw))) folder = raw;
  CoTaskMemFree(raw);
  return folder;
}

std::optional<ShortcutTarget> ReadShortcut(const std::filesystem::path& link) {
  ComPtr<IShellLinkW> shortcut;
  ComPtr<IPersistFile> file;
  if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER,
                              IID_PPV_ARGS(&shortcut))) ||
      FAILED(shortcut.As(&file)) || FAILED(file->Load(link.c_str(), STGM_READ))) {
    return std::nullopt;
  }
  wchar_t program[MAX_PATH] = L"";
  wchar_t working_folder[MAX_PATH] = L"";
  if (FAILED(shortcut->GetPath(program, MAX_PATH, nullptr, SLGP_RAWPATH)) ||
      FAILED(shortcut->GetWorkingDirectory(working_folder, MAX_PATH))) {
    return std::nullopt;
  }
  return ShortcutTarget{program, working_folder};
}

bool IconLoads(const std::wstring& location) {
  wchar_t path[MAX_PATH];
  if (wcscpy_s(path, location.c_str()) != 0) return false;
  const int index = PathParseIconLocationW(path);
  HICON large = nullptr;
  if (ExtractIconExW(path, index, &large, nullptr, 1) != 1 || !large) return false;
  UniqueHicon icon(large);
  return true;
}

}  // namespace tarvik::e2e
