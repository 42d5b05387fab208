#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace tarvik::e2e {

// Where the program keeps copies of unsaved work: %LOCALAPPDATA%\Tarvik\Recovery.
std::filesystem::path RecoveryFolder();
// Removes it with all it holds; true when it is gone.
bool ClearRecoveryFolder();
// The copies (Marker files) directly in a folder.
std::vector<std::filesystem::path> MarkerFilesIn(const std::filesystem::path& folder);

// Kills the one tarvik.exe of this Wine prefix whose command line holds
// `marker` after the program's name, with SIGKILL from outside Wine. What
// happened, for failure reports, ends up in `report`.
bool KillAsAPowerCutWould(const std::wstring& marker, std::wstring& report);

}  // namespace tarvik::e2e
