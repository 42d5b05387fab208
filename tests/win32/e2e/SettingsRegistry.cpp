#include "SettingsRegistry.h"

#include <windows.h>

namespace tarvik::e2e {

namespace {

constexpr const wchar_t* kProgramKey = L"Software\\Tarvik";

}  // namespace

bool ClearTarvikSettings() {
  // Given a subkey, RegDeleteTreeW removes that key itself as well.
  LSTATUS status = RegDeleteTreeW(HKEY_CURRENT_USER, kProgramKey);
  return status == ERROR_SUCCESS || status == ERROR_FILE_NOT_FOUND;
}

std::optional<std::wstring> ReadTarvikSetting(const std::wstring& key) {
  return ReadTarvikValue(L"Settings", key);
}

std::optional<std::wstring> ReadTarvikValue(const std::wstring& section, const std::wstring& key) {
  const std::wstring section_key = std::wstring(kProgramKey) + L"\\" + section;
  DWORD bytes = 0;
  if (RegGetValueW(HKEY_CURRENT_USER, section_key.c_str(), key.c_str(), RRF_RT_REG_SZ, nullptr,
                   nullptr, &bytes) != ERROR_SUCCESS) {
    return std::nullopt;
  }
  std::wstring text(bytes / sizeof(wchar_t) + 1, L'\0');
  bytes = static_cast<DWORD>(text.size() * sizeof(wchar_t));
  if (RegGetValueW(HKEY_CURRENT_USER, section_key.c_str(), key.c_str(), RRF_RT_REG_SZ, nullptr,
                   text.data(), &bytes) != ERROR_SUCCESS) {
    return std::nullopt;
  }
  text.resize(wcsnlen(text.c_str(), text.size()));
  return text;
}

}  // namespace tarvik::e2e
