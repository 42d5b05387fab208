#pragma once

#include <windows.h>

#include <chrono>

namespace tarvik::e2e {

using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;

// The program runs in another process: every observation is a poll with a
// time limit, so a test that waits for something that never happens fails
// instead of hanging the whole run.
template <class Predicate>
bool WaitUntil(Predicate ready, milliseconds limit, milliseconds poll = milliseconds(5)) {
  const auto deadline = Clock::now() + limit;
  for (;;) {
    if (ready()) return true;
    if (Clock::now() >= deadline) return false;
    Sleep(static_cast<DWORD>(poll.count()));
  }
}

inline milliseconds Since(Clock::time_point start) {
  return std::chrono::duration_cast<milliseconds>(Clock::now() - start);
}

}  // namespace tarvik::e2e
