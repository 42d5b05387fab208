#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "TarvikProcess.h"
#include "Waiting.h"

namespace tarvik::e2e {

// Start-up takes the 2 s splash plus Wine's own start of a process.
inline constexpr milliseconds kStartLimit{10000};
inline constexpr milliseconds kExitLimit{5000};
inline constexpr milliseconds kWindowLimit{3000};

// Each test starts from an empty settings store and leaves one behind, so
// that no test sees what another one stored. A program a test started is
// killed when the test ends, failed or not.
class TarvikTest : public testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Starts the program with `arguments` after its own path on its command
  // line, and leaves the waiting to the test.
  void Start(const std::filesystem::path& exe, const std::filesystem::path& working_folder,
             std::wstring_view arguments = {});
  // Starts the built program and waits until its main window is up and
  // answering; sets main_.
  void Launch();
  void Launch(const std::filesystem::path& exe, const std::filesystem::path& working_folder,
              std::wstring_view arguments = {});
  // Posts a message to the main window and expects the program to end with
  // exit code 0.
  void ExpectCleanExitAfter(UINT message, WPARAM wparam = 0);
  void ExitByFileMenu();
  // Says so when copies of the program that this test did not start are
  // running: they share the settings and write them when they close.
  std::string OtherCopies() const;

  std::optional<TarvikProcess> process_;
  HWND main_ = nullptr;
};

}  // namespace tarvik::e2e
