#include "bench/FillerDesktop.h"

#include <stdexcept>
#include <vector>

#include "platform/win32/Utf.h"

namespace tarvik::bench {

namespace {

constexpr int kFillerWindows = 50;
constexpr int kGroupsEach = 4;
constexpr int kControlsPerGroup = 9;
constexpr wchar_t kFillerClass[] = L"BenchFiller";
constexpr DWORD kInputIdleMs = 5000;
constexpr DWORD kQuitWaitMs = 3000;
constexpr DWORD kTerminatedExitCode = 0xDEAD;
// WaitForInputIdle returns once a program first waits for input, which may
// be before its last window exists.
constexpr DWORD kSettleMs = 1000;

void CreateFillerWindow(HINSTANCE instance) {
  HWND top = CreateWindowExW(0, kFillerClass, L"filler", WS_OVERLAPPED, 0, 0, 50, 50, nullptr,
                             nullptr, instance, nullptr);
  if (!top) throw std::runtime_error("cannot create a filler window");
  // Groups of nine under a frame, so that the descendants nest as real
  // dialogs do: 4 x (1 + 9) = 40 descendants.
  for (int g = 0; g < kGroupsEach; ++g) {
    HWND group = CreateWindowExW(0, L"Static", L"group", WS_CHILD, 0, 0, 5, 5, top, nullptr,
                                 instance, nullptr);
    for (int c = 0; c < kControlsPerGroup; ++c) {
      CreateWindowExW(0, c % 2 ? L"Edit" : L"Static", L"1.000", WS_CHILD, 0, 0, 5, 5, group,
                      nullptr, instance, nullptr);
    }
  }
}

void ReadClassAndText(HWND hwnd, size_t& characters) {
  wchar_t name[257];
  characters += static_cast<size_t>(GetClassNameW(hwnd, name, 257));
  int length = GetWindowTextLengthW(hwnd);
  std::vector<wchar_t> text(static_cast<size_t>(length) + 1);
  characters += static_cast<size_t>(GetWindowTextW(hwnd, text.data(), length + 1));
}

BOOL CALLBACK ReadChild(HWND child, LPARAM characters) noexcept {
  ReadClassAndText(child, *reinterpret_cast<size_t*>(characters));
  return TRUE;
}

BOOL CALLBACK ReadTopAndChildren(HWND top, LPARAM characters) noexcept {
  ReadClassAndText(top, *reinterpret_cast<size_t*>(characters));
  EnumChildWindows(top, &ReadChild, characters);
  return TRUE;
}

}  // namespace

int HoldFillerWindows() {
  WNDCLASSW cls{};
  cls.lpfnWndProc = DefWindowProcW;
  cls.hInstance = GetModuleHandleW(nullptr);
  cls.lpszClassName = kFillerClass;
  if (!RegisterClassW(&cls)) throw std::runtime_error("cannot register the filler class");
  for (int w = 0; w < kFillerWindows; ++w) CreateFillerWindow(cls.hInstance);
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) DispatchMessageW(&message);
  return 0;
}

std::size_t BareScan() {
  size_t characters = 0;
  EnumWindows(&ReadTopAndChildren, reinterpret_cast<LPARAM>(&characters));
  return characters;
}

HelperProgram::HelperProgram(const std::wstring& command_line) {
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION info{};
  // CreateProcessW may write into the command line, so it gets its own copy.
  std::wstring line = command_line;
  if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                      &info)) {
    throw std::runtime_error("cannot start " + platform::win32::Narrow(command_line) +
                             " (error " + std::to_string(GetLastError()) + ")");
  }
  process_.reset(info.hProcess);
  UniqueKernelHandle thread(info.hThread);
  process_id_ = info.dwProcessId;
  thread_id_ = info.dwThreadId;
  WaitForInputIdle(process_.get(), kInputIdleMs);
}

HelperProgram::~HelperProgram() {
  // Both helpers end their message loop on WM_QUIT.
  PostThreadMessageW(thread_id_, WM_QUIT, 0, 0);
  if (WaitForSingleObject(process_.get(), kQuitWaitMs) != WAIT_OBJECT_0) {
    TerminateProcess(process_.get(), kTerminatedExitCode);
  }
}

FillerDesktop::FillerDesktop(const std::wstring& benchmark)
    : fillers_(std::in_place, L"\"" + PathBesideThisProgram(benchmark) + L"\" --fillers"),
      route_editor_(L"\"" + PathBesideThisProgram(L"routeeditor.exe") + L"\"") {
  Sleep(kSettleMs);
}

}  // namespace tarvik::bench
