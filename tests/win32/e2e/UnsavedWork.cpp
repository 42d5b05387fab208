#include "UnsavedWork.h"

#include <windows.h>

#include <optional>
#include <system_error>

#include "MarkerFiles.h"
#include "TempFolder.h"
#include "UnixPath.h"
#include "Waiting.h"
#include "platform/win32/Utf.h"

namespace tarvik::e2e {

namespace {

constexpr milliseconds kKillLimit{10000};

}  // namespace

std::filesystem::path RecoveryFolder() {
  const DWORD length = GetEnvironmentVariableW(L"LOCALAPPDATA", nullptr, 0);
  std::wstring base(length, L'\0');
  base.resize(GetEnvironmentVariableW(L"LOCALAPPDATA", base.data(), length));
  return std::filesystem::path(base) / L"Tarvik" / L"Recovery";
}

bool ClearRecoveryFolder() {
  std::error_code error;
  std::filesystem::remove_all(RecoveryFolder(), error);
  return !std::filesystem::exists(RecoveryFolder(), error);
}

std::vector<std::filesystem::path> MarkerFilesIn(const std::filesystem::path& folder) {
  std::vector<std::filesystem::path> files;
  std::error_code error;
  for (const auto& entry : std::filesystem::directory_iterator(folder, error)) {
    if (entry.path().extension() == L".mkr") files.push_back(entry.path());
  }
  return files;
}

bool KillAsAPowerCutWould(const std::wstring& marker, std::wstring& report) {
  TempFolder scratch;
  const std::filesystem::path log = scratch.Path() / L"kill.log";
  auto unix_log = UnixPathOf(log);
  if (!unix_log) {
    report = L"not running under Wine: no Unix paths";
    return false;
  }
  std::wstring command = L"Z:\\bin\\sh \"" + platform::win32::Widen(TARVIK_E2E_KILL_TARVIK) +
                         L"\" \"" + marker + L"\" \"" + platform::win32::Widen(*unix_log) + L"\"";
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION info{};
  if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                      &startup, &info)) {
    report = L"cannot start " + command + L", error " + std::to_wstring(GetLastError());
    return false;
  }
  CloseHandle(info.hThread);
  CloseHandle(info.hProcess);
  // A Unix program's handle under Wine tells nothing of its end: its log does.
  std::optional<std::string> bytes;
  WaitUntil(
      [&] { return (bytes = ReadFileBytes(log)) && bytes->find("end: ") != std::string::npos; },
      kKillLimit, milliseconds(20));
  report = bytes ? platform::win32::Widen(*bytes) : L"the killer wrote no log";
  return bytes && bytes->find("end: killed") != std::string::npos;
}

}  // namespace tarvik::e2e
