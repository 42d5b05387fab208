#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// A Linux process's CPU time from /proc/<pid>/stat, and its share of one
// core over an interval. Portable, so that the native build tests it.
namespace tarvik::bench {

struct ProcStat {
  // The kernel's name of the process (its "comm"), without parentheses.
  std::string name;
  // Clock ticks spent in user and in kernel mode.
  std::uint64_t user_ticks = 0;
  std::uint64_t system_ticks = 0;
};

// Empty when the line is not a stat line.
std::optional<ProcStat> ParseProcStat(std::string_view line);

// Percent of one core between two readings of the same process taken
// `seconds` apart; empty when the interval is not positive or the times
// went backwards (the pid then belongs to another process).
std::optional<double> PercentOfOneCore(const ProcStat& start, const ProcStat& end, double seconds,
                                       int ticks_per_second);

}  // namespace tarvik::bench
