#pragma once

#include <windows.h>

#include <cstdint>

// What the soak samples of the running process.
namespace tarvik::bench {

struct ResourceReadings {
  // As GetGuiResources returns them: zero may mean "not provided".
  DWORD user_objects = 0;
  DWORD gdi_objects = 0;
  // PROCESS_MEMORY_COUNTERS_EX's two fields for the commit charge.
  std::uint64_t private_usage = 0;
  std::uint64_t pagefile_usage = 0;
  // Top-level and child windows, a count of USER objects that any
  // platform can give.
  int windows = 0;
};

// Throws when the memory counters cannot be read.
ResourceReadings ReadOwnResources();

// The windows the process owns, top-level and child, wherever they sit.
int CountWindowsOf(DWORD process_id);

}  // namespace tarvik::bench
