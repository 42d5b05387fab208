#include "bench/ChildProgram.h"

#include <stdexcept>
#include <vector>

#include "platform/win32/Utf.h"

namespace tarvik::bench {

namespace {

constexpr DWORD kTerminatedExitCode = 0xDEAD;
constexpr DWORD kTerminateWaitMs = 5000;
// Short enough to add little to a sample, long enough to leave the CPU to
// the program being measured.
constexpr DWORD kPollMs = 1;

struct WindowSearch {
  DWORD process_id;
  const wchar_t* window_class;
  HWND found;
};

BOOL CALLBACK CheckWindow(HWND hwnd, LPARAM data) noexcept {
  auto& search = *reinterpret_cast<WindowSearch*>(data);
  DWORD owner = 0;
  GetWindowThreadProcessId(hwnd, &owner);
  if (owner != search.process_id || !IsWindowVisible(hwnd)) return TRUE;
  wchar_t name[256];
  if (GetClassNameW(hwnd, name, 256) == 0) return TRUE;
  // Class names are case-insensitive in Windows.
  if (CompareStringOrdinal(name, -1, search.window_class, -1, TRUE) != CSTR_EQUAL) return TRUE;
  search.found = hwnd;
  return FALSE;
}

}  // namespace

Stopwatch::Stopwatch() {
  QueryPerformanceFrequency(&frequency_);
  Restart();
}

void Stopwatch::Restart() { QueryPerformanceCounter(&start_); }

double Stopwatch::ElapsedMs() const {
  LARGE_INTEGER now;
  QueryPerformanceCounter(&now);
  return static_cast<double>(now.QuadPart - start_.QuadPart) * 1000.0 /
         static_cast<double>(frequency_.QuadPart);
}

std::wstring PathBesideThisProgram(const std::wstring& relative) {
  // Paths may exceed MAX_PATH: grow the buffer until the name fits.
  std::vector<wchar_t> buffer(MAX_PATH);
  DWORD length = 0;
  while ((length = GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()))) ==
         buffer.size()) {
    buffer.resize(buffer.size() * 2);
  }
  std::wstring path(buffer.data(), length);
  return path.substr(0, path.find_last_of(L"\\/") + 1) + relative;
}

HWND FindVisibleWindow(DWORD process_id, const wchar_t* window_class) {
  WindowSearch search{process_id, window_class, nullptr};
  EnumWindows(&CheckWindow, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

ChildProgram::ChildProgram(const std::wstring& path, Stopwatch& clock,
                           const std::wstring& arguments) {
  // CreateProcessW may write into the command line, so it gets its own copy.
  std::wstring command_line = L"\"" + path + L"\"";
  if (!arguments.empty()) command_line += L" " + arguments;
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION info{};
  clock.Restart();
  if (!CreateProcessW(path.c_str(), command_line.data(), nullptr, nullptr, FALSE, 0, nullptr,
                      nullptr, &startup, &info)) {
    throw std::runtime_error("cannot start " + platform::win32::Narrow(path) + " (error " +
                             std::to_string(GetLastError()) + ")");
  }
  process_.reset(info.hProcess);
  // Nothing here needs the main thread; its handle is closed at once.
  UniqueKernelHandle thread(info.hThread);
  id_ = info.dwProcessId;
}

ChildProgram::~ChildProgram() {
  if (!HasExited()) Terminate();
}

bool ChildProgram::HasExited() const {
  return WaitForSingleObject(process_.get(), 0) == WAIT_OBJECT_0;
}

std::optional<DWORD> ChildProgram::ExitCode() const {
  DWORD code = 0;
  if (!HasExited() || !GetExitCodeProcess(process_.get(), &code)) return std::nullopt;
  return code;
}

Ending ChildProgram::Close(HWND window, DWORD wait_ms) {
  PostMessageW(window, WM_CLOSE, 0, 0);
  if (WaitForSingleObject(process_.get(), wait_ms) == WAIT_OBJECT_0) return Ending::Closed;
  Terminate();
  return Ending::Terminated;
}

void ChildProgram::Terminate() {
  TerminateProcess(process_.get(), kTerminatedExitCode);
  WaitForSingleObject(process_.get(), kTerminateWaitMs);
}

WindowTimes WaitForWindow(const ChildProgram& program, const wchar_t* window_class,
                          const wchar_t* earlier_class, const Stopwatch& clock, double timeout_ms) {
  WindowTimes times;
  for (;;) {
    if (earlier_class) {
      bool earlier_visible = FindVisibleWindow(program.Id(), earlier_class) != nullptr;
      double now = clock.ElapsedMs();
      if (earlier_visible && !times.earlier_shown_ms) times.earlier_shown_ms = now;
      if (!earlier_visible && times.earlier_shown_ms && !times.earlier_gone_ms) {
        times.earlier_gone_ms = now;
      }
    }
    times.window = FindVisibleWindow(program.Id(), window_class);
    times.shown_ms = clock.ElapsedMs();
    if (times.window) return times;
    if (program.HasExited()) throw std::runtime_error("the program exited without its window");
    if (times.shown_ms > timeout_ms) throw std::runtime_error("no window within the time limit");
    Sleep(kPollMs);
  }
}

}  // namespace tarvik::bench
