#include "platform/win32/RegistrySettingsStore.h"

#include <windows.h>

#include <vector>

#include "platform/win32/Handles.h"
#include "platform/win32/Utf.h"

namespace tarvik::platform::win32 {

RegistrySettingsStore::RegistrySettingsStore(std::string application)
    : application_(std::move(application)) {}

std::wstring RegistrySettingsStore::SectionPath(std::string_view section) const {
  return L"Software\\" + Widen(application_) + L"\\" + Widen(section);
}

std::optional<std::string> RegistrySettingsStore::Read(std::string_view section,
                                                       std::string_view key) const {
  HKEY raw = nullptr;
  if (RegOpenKeyExW(HKEY_CURRENT_USER, SectionPath(section).c_str(), 0, KEY_QUERY_VALUE, &raw) !=
      ERROR_SUCCESS) {
    return std::nullopt;
  }
  UniqueHkey hkey(raw);
  std::wstring name = Widen(key);
  // The value may grow between asking its size and reading it: ask again.
  for (int attempt = 0; attempt < 4; ++attempt) {
    DWORD type = 0;
    DWORD bytes = 0;
    if (RegQueryValueExW(hkey.get(), name.c_str(), nullptr, &type, nullptr, &bytes) != ERROR_SUCCESS) {
      return std::nullopt;
    }
    if (type != REG_SZ && type != REG_EXPAND_SZ) return std::nullopt;
    std::vector<wchar_t> buffer(bytes / sizeof(wchar_t) + 1, L'\0');
    DWORD capacity = static_cast<DWORD>(buffer.size() * sizeof(wchar_t));
    LONG status = RegQueryValueExW(hkey.get(), name.c_str(), nullptr, &type,
                                   reinterpret_cast<BYTE*>(buffer.data()), &capacity);
    if (status == ERROR_MORE_DATA) continue;
    if (status != ERROR_SUCCESS) return std::nullopt;
    // Stored strings need not end with a NUL; the extra element guarantees one.
    size_t length = capacity / sizeof(wchar_t);
    std::wstring text(buffer.data(), length);
    while (!text.empty() && text.back() == L'\0') text.pop_back();
    return Narrow(text);
  }
  return std::nullopt;
}

bool RegistrySettingsStore::Write(std::string_view section, std::string_view key,
                                  std::string_view value) {
  HKEY raw = nullptr;
  if (RegCreateKeyExW(HKEY_CURRENT_USER, SectionPath(section).c_str(), 0, nullptr, 0, KEY_SET_VALUE,
                      nullptr, &raw, nullptr) != ERROR_SUCCESS) {
    return false;
  }
  UniqueHkey hkey(raw);
  std::wstring text = Widen(value);
  DWORD bytes = static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t));
  return RegSetValueExW(hkey.get(), Widen(key).c_str(), 0, REG_SZ,
                        reinterpret_cast<const BYTE*>(text.c_str()), bytes) == ERROR_SUCCESS;
}

}  // namespace tarvik::platform::win32
