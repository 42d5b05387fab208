#pragma once

#include <windows.h>

#include <chrono>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/win32/Handles.h"

namespace tarvik::standins::testing {

using std::chrono::milliseconds;

// Polls until `ready` holds or the limit has passed: the stand-in runs in
// another process, and a wait that never ends would hang the whole run.
template <class Predicate>
bool WaitUntil(Predicate ready, milliseconds limit) {
  const ULONGLONG deadline = GetTickCount64() + static_cast<ULONGLONG>(limit.count());
  for (;;) {
    if (ready()) return true;
    if (GetTickCount64() >= deadline) return false;
    Sleep(5);
  }
}

// One running stand-in, started from the folder of this test program. It
// does not outlive the test: the destructor ends a copy still running.
class StandinProcess {
 public:
  static std::optional<StandinProcess> Start(std::wstring_view exe_name,
                                             std::wstring_view arguments = L"");

  StandinProcess(StandinProcess&&) noexcept = default;
  StandinProcess& operator=(StandinProcess&& other) noexcept;
  StandinProcess(const StandinProcess&) = delete;
  StandinProcess& operator=(const StandinProcess&) = delete;
  ~StandinProcess();

  DWORD Id() const { return id_; }

  // This process's top-level windows in Z order, hidden ones included.
  std::vector<HWND> TopWindows() const;
  // Waits for a visible top-level window of the class; nullptr on time-out.
  HWND WaitForWindow(std::wstring_view class_name, milliseconds limit = milliseconds(15000)) const;

 private:
  StandinProcess(platform::win32::UniqueFile process, DWORD id)
      : process_(std::move(process)), id_(id) {}
  void End() noexcept;

  platform::win32::UniqueFile process_;
  DWORD id_ = 0;
};

std::wstring ClassOf(HWND window);
// Title or control text as GetWindowText gives it, which is how Tarvik's
// finder reads labels and titles.
std::wstring TitleOf(HWND window);

}  // namespace tarvik::standins::testing
