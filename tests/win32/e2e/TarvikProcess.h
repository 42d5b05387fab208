#pragma once

#include <windows.h>

#include <chrono>
#include <filesystem>
#include <optional>
#include <string_view>
#include <vector>

#include "platform/win32/Handles.h"

namespace tarvik::e2e {

// The folder of this test executable; tarvik.exe is built beside it.
std::filesystem::path TestProgramFolder();
std::filesystem::path BuiltTarvikExe();

// Running processes named tarvik.exe, whoever started them.
std::vector<DWORD> TarvikProcessIds();

// One running copy of the program, or of another program a test starts
// beside it. Whatever way a test ends, the copy it started does not outlive
// it: the destructor kills a copy still running.
class TarvikProcess {
 public:
  static std::optional<TarvikProcess> Start(const std::filesystem::path& exe,
                                            const std::filesystem::path& working_folder,
                                            std::wstring_view arguments = {});
  // A copy that something else started, the shell say; killed like one
  // started here.
  static std::optional<TarvikProcess> Attach(DWORD id);

  TarvikProcess(TarvikProcess&&) noexcept = default;
  TarvikProcess& operator=(TarvikProcess&&) noexcept;
  TarvikProcess(const TarvikProcess&) = delete;
  TarvikProcess& operator=(const TarvikProcess&) = delete;
  ~TarvikProcess();

  DWORD Id() const { return id_; }
  std::optional<std::filesystem::path> ExePath() const;
  bool Running() const;
  // The exit code once the process has ended within `limit`.
  std::optional<DWORD> WaitForExit(std::chrono::milliseconds limit) const;

 private:
  TarvikProcess(platform::win32::UniqueFile process, DWORD id)
      : process_(std::move(process)), id_(id) {}
  void Kill() noexcept;

  platform::win32::UniqueFile process_;
  DWORD id_ = 0;
};

}  // namespace tarvik::e2e
