#include "bench/ProcessResources.h"

#include <psapi.h>

#include <stdexcept>
#include <string>

namespace tarvik::bench {

namespace {

struct WindowCount {
  DWORD process_id;
  int count;
};

void CountIfOwned(HWND window, WindowCount& tally) {
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  if (owner == tally.process_id) ++tally.count;
}

BOOL CALLBACK CountChild(HWND child, LPARAM data) noexcept {
  CountIfOwned(child, *reinterpret_cast<WindowCount*>(data));
  return TRUE;
}

// A window may have a parent in another process, so every descendant of
// every top-level window is asked for its process.
BOOL CALLBACK CountTopLevel(HWND top, LPARAM data) noexcept {
  CountIfOwned(top, *reinterpret_cast<WindowCount*>(data));
  EnumChildWindows(top, &CountChild, data);
  return TRUE;
}

}  // namespace

int CountWindowsOf(DWORD process_id) {
  WindowCount tally{process_id, 0};
  EnumWindows(&CountTopLevel, reinterpret_cast<LPARAM>(&tally));
  return tally.count;
}

ResourceReadings ReadOwnResources() {
  ResourceReadings readings;
  HANDLE self = GetCurrentProcess();
  readings.user_objects = GetGuiResources(self, GR_USEROBJECTS);
  readings.gdi_objects = GetGuiResources(self, GR_GDIOBJECTS);
  PROCESS_MEMORY_COUNTERS_EX counters{};
  counters.cb = sizeof counters;
  if (!K32GetProcessMemoryInfo(self, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters),
                               sizeof counters)) {
    throw std::runtime_error("K32GetProcessMemoryInfo failed (error " +
                             std::to_string(GetLastError()) + ")");
  }
  readings.private_usage = counters.PrivateUsage;
  readings.pagefile_usage = counters.PagefileUsage;
  readings.windows = CountWindowsOf(GetCurrentProcessId());
  return readings;
}

}  // namespace tarvik::bench
