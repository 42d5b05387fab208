#include "TarvikFixture.h"

#include "ControlReader.h"
#include "SettingsRegistry.h"
#include "UnsavedWork.h"
#include "WindowSearch.h"
#include "app/win32/WindowClasses.h"

namespace tarvik::e2e {

void TarvikTest::SetUp() {
  // Coordinates read from here are then the program's own physical pixels.
  SetProcessDpiAwarenessContext(DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2);
  ASSERT_TRUE(ClearTarvikSettings());
  // A copy of unsaved work left by an earlier test would be offered at start.
  ASSERT_TRUE(ClearRecoveryFolder());
}

void TarvikTest::TearDown() {
  process_.reset();
  EXPECT_TRUE(ClearTarvikSettings());
  EXPECT_TRUE(ClearRecoveryFolder());
}

void TarvikTest::Start(const std::filesystem::path& exe,
                       const std::filesystem::path& working_folder, std::wstring_view arguments) {
  ASSERT_TRUE(std::filesystem::exists(exe)) << exe;
  process_ = TarvikProcess::Start(exe, working_folder, arguments);
  ASSERT_TRUE(process_.has_value()) << "cannot start " << exe << ", error " << GetLastError();
}

void TarvikTest::Launch() {
  std::filesystem::path exe = BuiltTarvikExe();
  Launch(exe, exe.parent_path());
}

void TarvikTest::Launch(const std::filesystem::path& exe,
                        const std::filesystem::path& working_folder, std::wstring_view arguments) {
  ASSERT_NO_FATAL_FAILURE(Start(exe, working_folder, arguments));
  main_ = WaitForTopWindow(process_->Id(), app::win32::kMainClass, kStartLimit);
  ASSERT_NE(main_, nullptr) << "no main window within " << kStartLimit.count() << " ms";
  // The window shows before the message loop runs; an answer means it runs.
  ASSERT_TRUE(Ask(main_, WM_NULL).has_value()) << "the main window does not answer";
}

void TarvikTest::ExpectCleanExitAfter(UINT message, WPARAM wparam) {
  ASSERT_TRUE(process_.has_value());
  ASSERT_TRUE(PostMessageW(main_, message, wparam, 0));
  std::optional<DWORD> code = process_->WaitForExit(kExitLimit);
  ASSERT_TRUE(code.has_value()) << "still running " << kExitLimit.count() << " ms after closing";
  EXPECT_EQ(*code, 0u);
}

void TarvikTest::ExitByFileMenu() {
  ExpectCleanExitAfter(WM_COMMAND, MAKEWPARAM(MainMenuId("Menu_FileExit"), 0));
}

std::string TarvikTest::OtherCopies() const {
  size_t others = 0;
  for (DWORD id : TarvikProcessIds()) {
    if (!process_ || id != process_->Id()) ++others;
  }
  if (others == 0) return {};
  return " (" + std::to_string(others) +
         " other copies of tarvik.exe are running in this Wine prefix)";
}

}  // namespace tarvik::e2e
