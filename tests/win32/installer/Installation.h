#pragma once

#include <windows.h>

#include <shlobj.h>

#include <chrono>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace tarvik::e2e {

// Runs a command line, msiexec's say, and returns its exit code once it has
// ended within `limit`.
std::optional<DWORD> RunToEnd(std::wstring command_line, std::chrono::milliseconds limit);

// A string value as stored, unexpanded; an empty `name` reads the key's
// default value.
std::optional<std::wstring> RegistryText(HKEY root, const std::wstring& key,
                                         const std::wstring& name = {});
bool RegistryKeyExists(HKEY root, const std::wstring& key);
bool WriteRegistryText(HKEY root, const std::wstring& key, const std::wstring& name,
                       const std::wstring& value);

// An entry of Windows' list of installed programs. Wine keeps every entry
// under HKEY_LOCAL_MACHINE, those of per-user installs included.
struct ListedProgram {
  std::wstring version;
  std::wstring uninstall_command;
};
std::vector<ListedProgram> ProgramsListedAs(const std::wstring& name);

std::filesystem::path KnownFolder(REFKNOWNFOLDERID id);

// What a shortcut starts, and in which folder.
struct ShortcutTarget {
  std::filesystem::path program;
  std::filesystem::path working_folder;
};
std::optional<ShortcutTarget> ReadShortcut(const std::filesystem::path& link);

// Whether the icon that a DefaultIcon value names ("path",index) loads.
bool IconLoads(const std::wstring& location);

}  // namespace tarvik::e2e
