#pragma once

#include <optional>
#include <string>

namespace tarvik::e2e {

// The program's settings under HKEY_CURRENT_USER\Software\Tarvik, which
// every copy of the program in this Wine prefix shares.
bool ClearTarvikSettings();
// A value of the section "Settings".
std::optional<std::wstring> ReadTarvikSetting(const std::wstring& key);
// A value of any section, "MRUFiles" say.
std::optional<std::wstring> ReadTarvikValue(const std::wstring& section, const std::wstring& key);

}  // namespace tarvik::e2e
