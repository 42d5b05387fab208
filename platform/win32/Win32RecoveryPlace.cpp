#include "platform/win32/Win32RecoveryPlace.h"

#include <windows.h>

#include <shlobj.h>

#include <cstdio>
#include <vector>

#include "platform/win32/Handles.h"
#include "platform/win32/Utf.h"

namespace tarvik::platform::win32 {

namespace {

LocalTime FromSystemTime(const SYSTEMTIME& time) {
  return {time.wYear, time.wMonth, time.wDay, time.wHour, time.wMinute, time.wSecond};
}

LocalTime LocalTimeOf(const FILETIME& written) {
  SYSTEMTIME utc{};
  SYSTEMTIME local{};
  FileTimeToSystemTime(&written, &utc);
  // With the daylight saving time of that day, not of today.
  if (!SystemTimeToTzSpecificLocalTime(nullptr, &utc, &local)) local = utc;
  return FromSystemTime(local);
}

std::optional<std::wstring> LocalAppData() {
  const DWORD length = GetEnvironmentVariableW(L"LOCALAPPDATA", nullptr, 0);
  if (length > 1) {
    std::wstring value(length, L'\0');
    value.resize(GetEnvironmentVariableW(L"LOCALAPPDATA", value.data(), length));
    if (!value.empty()) return value;
  }
  // Set on every Windows since Vista; asked of the shell only without it.
  auto* folder_path =
      SystemFunction<decltype(SHGetFolderPathW)>(L"shell32.dll", "SHGetFolderPathW");
  wchar_t path[MAX_PATH] = {};
  if (folder_path && SUCCEEDED(folder_path(nullptr, CSIDL_LOCAL_APPDATA, nullptr, 0, path))) {
    return std::wstring(path);
  }
  return std::nullopt;
}

class FileHold final : public RecoveryPlace::Hold {
 public:
  explicit FileHold(UniqueFile file) : file_(std::move(file)) {}

 private:
  UniqueFile file_;
};

}  // namespace

std::optional<std::string> Win32RecoveryPlace::Folder() const {
  auto base = LocalAppData();
  if (!base) return std::nullopt;
  return Narrow(*base) + "\\Tarvik\\Recovery";
}

bool Win32RecoveryPlace::MakeFolder(std::string_view path) {
  const std::wstring wide = Widen(path);
  // Each folder on the way, from the top; those that exist stay as they are.
  for (std::size_t at = wide.find(L'\\', 3); ; at = wide.find(L'\\', at + 1)) {
    const std::wstring part = wide.substr(0, at);
    if (!CreateDirectoryW(part.c_str(), nullptr) && GetLastError() != ERROR_ALREADY_EXISTS) {
      return false;
    }
    if (at == std::wstring::npos) return true;
  }
}

std::vector<FolderEntry> Win32RecoveryPlace::FilesIn(std::string_view folder) const {
  std::vector<FolderEntry> entries;
  WIN32_FIND_DATAW found{};
  HANDLE search = FindFirstFileW((Widen(folder) + L"\\*").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return entries;
  do {
    if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) continue;
    entries.push_back({Narrow(found.cFileName), LocalTimeOf(found.ftLastWriteTime)});
  } while (FindNextFileW(search, &found));
  FindClose(search);
  return entries;
}

std::string Win32RecoveryPlace::UniqueName() const {
  // The process id is unique among living processes, and the moment tells
  // this run from an earlier one that had the same id.
  FILETIME now{};
  GetSystemTimeAsFileTime(&now);
  char name[40];
  std::snprintf(name, sizeof name, "run-%08lx-%08lx%08lx", GetCurrentProcessId(),
                now.dwHighDateTime, now.dwLowDateTime);
  return name;
}

LocalTime Win32RecoveryPlace::Now() const {
  SYSTEMTIME now{};
  GetLocalTime(&now);
  return FromSystemTime(now);
}

std::unique_ptr<RecoveryPlace::Hold> Win32RecoveryPlace::Claim(std::string_view path) {
  HANDLE file =
      CreateFileW(Widen(path).c_str(), GENERIC_READ | GENERIC_WRITE | DELETE, 0, nullptr,
                  OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
  // A sharing violation: a living run holds it.
  if (file == INVALID_HANDLE_VALUE) return nullptr;
  return std::make_unique<FileHold>(UniqueFile(file));
}

}  // namespace tarvik::platform::win32
