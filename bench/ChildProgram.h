#pragma once

#include <windows.h>

#include <optional>
#include <string>

#include "platform/win32/Handles.h"

// Starting another program, watching for its windows and closing it again:
// the Windows half of the start-up benchmark.
namespace tarvik::bench {

using UniqueKernelHandle = platform::win32::UniqueHandle<HANDLE, &CloseHandle>;

// Milliseconds from the performance counter, since the last Restart.
class Stopwatch {
 public:
  Stopwatch();
  void Restart();
  double ElapsedMs() const;

 private:
  LARGE_INTEGER frequency_{};
  LARGE_INTEGER start_{};
};

// The path of a file named relative to the folder of the running program.
std::wstring PathBesideThisProgram(const std::wstring& relative);

// A visible top-level window of the class that the process owns, or null.
HWND FindVisibleWindow(DWORD process_id, const wchar_t* window_class);

enum class Ending { Closed, Terminated };

// A started program. One still running when this object goes is terminated,
// so that a failed round leaves no stray process behind.
class ChildProgram {
 public:
  // Restarts the clock just before the process is created, so that the
  // clock counts the whole start of the program. Throws when it cannot start.
  ChildProgram(const std::wstring& path, Stopwatch& clock, const std::wstring& arguments = {});
  ~ChildProgram();
  ChildProgram(const ChildProgram&) = delete;
  ChildProgram& operator=(const ChildProgram&) = delete;

  DWORD Id() const { return id_; }
  HANDLE Handle() const { return process_.get(); }
  bool HasExited() const;
  std::optional<DWORD> ExitCode() const;

  // Asks the window to close as a user would; ends the process by force
  // only when it has not exited after wait_ms.
  Ending Close(HWND window, DWORD wait_ms);

 private:
  void Terminate();

  UniqueKernelHandle process_;
  DWORD id_ = 0;
};

// When a program's windows appeared, in milliseconds on the round's clock.
struct WindowTimes {
  HWND window = nullptr;
  double shown_ms = 0;
  // A window that comes and goes before the awaited one, like a splash.
  std::optional<double> earlier_shown_ms;
  std::optional<double> earlier_gone_ms;
};

// Polls until the program shows a visible window of window_class. With an
// earlier_class, also notes when such a window shows and when it goes.
// Throws when the program exits first or timeout_ms runs out.
WindowTimes WaitForWindow(const ChildProgram& program, const wchar_t* window_class,
                          const wchar_t* earlier_class, const Stopwatch& clock, double timeout_ms);

}  // namespace tarvik::bench
