#include "TarvikProcess.h"

#include <tlhelp32.h>

#include <string>
#include <utility>

namespace tarvik::e2e {

using platform::win32::UniqueFile;

std::filesystem::path TestProgramFolder() {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (length == 0) return {};
    // A full buffer means the path was cut short.
    if (length < path.size()) {
      path.resize(length);
      return std::filesystem::path(path).parent_path();
    }
    path.resize(path.size() * 2);
  }
}

std::filesystem::path BuiltTarvikExe() { return TestProgramFolder() / L"tarvik.exe"; }

std::vector<DWORD> TarvikProcessIds() {
  std::vector<DWORD> ids;
  HANDLE raw = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
  if (raw == INVALID_HANDLE_VALUE) return ids;
  UniqueFile snapshot(raw);
  PROCESSENTRY32W entry{};
  entry.dwSize = sizeof entry;
  for (BOOL more = Process32FirstW(raw, &entry); more; more = Process32NextW(raw, &entry)) {
    if (_wcsicmp(entry.szExeFile, L"tarvik.exe") == 0) ids.push_back(entry.th32ProcessID);
  }
  return ids;
}

std::optional<TarvikProcess> TarvikProcess::Start(const std::filesystem::path& exe,
                                                  const std::filesystem::path& working_folder,
                                                  std::wstring_view arguments) {
  // CreateProcessW may write into the command line, so it gets its own copy.
  std::wstring command_line = L"\"" + exe.wstring() + L"\"";
  if (!arguments.empty()) command_line += L" " + std::wstring(arguments);
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION info{};
  if (!CreateProcessW(exe.c_str(), command_line.data(), nullptr, nullptr, FALSE, 0, nullptr,
                      working_folder.c_str(), &startup, &info)) {
    return std::nullopt;
  }
  UniqueFile thread(info.hThread);
  return TarvikProcess(UniqueFile(info.hProcess), info.dwProcessId);
}

std::optional<TarvikProcess> TarvikProcess::Attach(DWORD id) {
  HANDLE process =
      OpenProcess(SYNCHRONIZE | PROCESS_TERMINATE | PROCESS_QUERY_LIMITED_INFORMATION, FALSE, id);
  if (!process) return std::nullopt;
  return TarvikProcess(UniqueFile(process), id);
}

std::optional<std::filesystem::path> TarvikProcess::ExePath() const {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    auto length = static_cast<DWORD>(path.size());
    if (QueryFullProcessImageNameW(process_.get(), 0, path.data(), &length)) {
      path.resize(length);
      return path;
    }
    if (GetLastError() != ERROR_INSUFFICIENT_BUFFER || path.size() > 32768) return std::nullopt;
    path.resize(path.size() * 2);
  }
}

TarvikProcess& TarvikProcess::operator=(TarvikProcess&& other) noexcept {
  if (this != &other) {
    Kill();
    process_ = std::move(other.process_);
    id_ = std::exchange(other.id_, 0);
  }
  return *this;
}

TarvikProcess::~TarvikProcess() { Kill(); }

bool TarvikProcess::Running() const {
  return process_ && WaitForSingleObject(process_.get(), 0) == WAIT_TIMEOUT;
}

std::optional<DWORD> TarvikProcess::WaitForExit(std::chrono::milliseconds limit) const {
  if (!process_) return std::nullopt;
  if (WaitForSingleObject(process_.get(), static_cast<DWORD>(limit.count())) != WAIT_OBJECT_0) {
    return std::nullopt;
  }
  DWORD code = 0;
  if (!GetExitCodeProcess(process_.get(), &code)) return std::nullopt;
  return code;
}

void TarvikProcess::Kill() noexcept {
  if (!Running()) return;
  TerminateProcess(process_.get(), 1);
  // The next test may start a copy at once; this one must be gone by then.
  WaitForSingleObject(process_.get(), 5000);
}

}  // namespace tarvik::e2e
