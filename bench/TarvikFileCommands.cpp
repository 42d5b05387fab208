#include "bench/TarvikFileCommands.h"

#include <chrono>
#include <stdexcept>

#include "app/win32/WindowClasses.h"
#include "bench/StartupPlan.h"
#include "platform/win32/Handles.h"
#include "tests/win32/e2e/ControlReader.h"
#include "tests/win32/e2e/FileDialog.h"
#include "tests/win32/e2e/MessageBoxReader.h"
#include "tests/win32/e2e/UnsavedWork.h"
#include "tests/win32/e2e/WindowSearch.h"

namespace tarvik::bench {

namespace {

using namespace std::chrono_literals;

constexpr double kWaitMs = 120000;
constexpr DWORD kCloseWaitMs = 10000;

void WaitGone(HWND window) {
  for (Stopwatch waited; IsWindow(window) && IsWindowVisible(window); Sleep(0)) {
    if (waited.ElapsedMs() > kWaitMs) throw std::runtime_error("a window stayed open");
  }
}

}  // namespace

TarvikFileCommands::TarvikFileCommands(const std::wstring& exe) : program_(exe, clock_) {
  main_ = WaitForWindow(program_, app::win32::kMainClass, nullptr, clock_, kWaitMs).window;
}

TarvikFileCommands::~TarvikFileCommands() {
  program_.Close(main_, kCloseWaitMs);
  e2e::ClearRecoveryFolder();
}

TarvikFileCommands::Boxed TarvikFileCommands::ChooseUntilBox(const char* menu,
                                                             const std::wstring& path) {
  EnterInDialog(menu, path);
  HWND box = WaitForMessageBox();
  if (!box) throw std::runtime_error(std::string("no box after ") + menu);
  Boxed boxed{clock_.ElapsedMs(), e2e::MessageTextOf(box)};
  PostMessageW(box, WM_COMMAND, IDOK, 0);
  WaitGone(box);
  return boxed;
}

// A message sent once the dialog has gone is answered when the work is done.
double TarvikFileCommands::ChooseUntilAnswering(const char* menu, const std::wstring& path) {
  EnterInDialog(menu, path);
  if (!e2e::AskWithin(std::chrono::milliseconds(static_cast<long>(kWaitMs)), main_, WM_NULL)) {
    throw std::runtime_error("the window stopped answering");
  }
  return clock_.ElapsedMs();
}

void TarvikFileCommands::Empty(bool changed) {
  PostMessageW(main_, WM_COMMAND, MAKEWPARAM(e2e::MainMenuId("Menu_FileNew"), 0), 0);
  if (changed) {
    if (HWND box = WaitForMessageBox()) PostMessageW(box, WM_COMMAND, IDNO, 0);
  }
  e2e::AskWithin(std::chrono::milliseconds(static_cast<long>(kWaitMs)), main_, WM_NULL);
}

PROCESS_MEMORY_COUNTERS TarvikFileCommands::Memory() const {
  PROCESS_MEMORY_COUNTERS counters{};
  counters.cb = sizeof counters;
  if (!K32GetProcessMemoryInfo(program_.Handle(), &counters, sizeof counters)) {
    throw std::runtime_error("cannot read the program's memory counters");
  }
  return counters;
}

void TarvikFileCommands::EnterInDialog(const char* menu, const std::wstring& path) {
  PostMessageW(main_, WM_COMMAND, MAKEWPARAM(e2e::MainMenuId(menu), 0), 0);
  HWND dialog = e2e::WaitForFileDialog(program_.Id(), 10s);
  if (!dialog) throw std::runtime_error(std::string("no dialog after ") + menu);
  if (!e2e::EnterFileName(dialog, path)) throw std::runtime_error("cannot enter a file name");
  clock_.Restart();
  WaitGone(dialog);
}

// A message box: a dialog window with the static text of id 0xFFFF.
HWND TarvikFileCommands::WaitForMessageBox() {
  for (Stopwatch waited; waited.ElapsedMs() < kWaitMs; Sleep(0)) {
    for (HWND window : e2e::TopWindowsOf(program_.Id(), L"#32770")) {
      if (IsWindowVisible(window) && GetDlgItem(window, 0xFFFF)) return window;
    }
  }
  return nullptr;
}

void WriteBenchFile(const std::wstring& path, const std::string& bytes) {
  platform::win32::UniqueFile file(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr,
                                               CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  DWORD written = 0;
  if (file.get() == INVALID_HANDLE_VALUE ||
      !WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) ||
      written != bytes.size()) {
    if (file.get() == INVALID_HANDLE_VALUE) file.release();
    throw std::runtime_error("cannot write a benchmark's file");
  }
}

}  // namespace tarvik::bench
