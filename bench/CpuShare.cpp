#include "bench/CpuShare.h"

#include <charconv>
#include <vector>

namespace tarvik::bench {

namespace {

// Counted from the state, the first field after the name: utime is the
// 14th field of the line and stime the 15th.
constexpr size_t kUserAfterName = 11;
constexpr size_t kSystemAfterName = 12;

std::vector<std::string_view> Fields(std::string_view text) {
  std::vector<std::string_view> fields;
  size_t at = 0;
  while (at < text.size()) {
    size_t start = text.find_first_not_of(" \n", at);
    if (start == std::string_view::npos) break;
    size_t end = text.find_first_of(" \n", start);
    if (end == std::string_view::npos) end = text.size();
    fields.push_back(text.substr(start, end - start));
    at = end;
  }
  return fields;
}

std::optional<std::uint64_t> Number(std::string_view text) {
  std::uint64_t value = 0;
  auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return value;
}

}  // namespace

std::optional<ProcStat> ParseProcStat(std::string_view line) {
  // The name may itself hold spaces and parentheses; it ends at the last ')'.
  const size_t open = line.find('(');
  const size_t close = line.rfind(')');
  if (open == std::string_view::npos || close == std::string_view::npos || close < open) {
    return std::nullopt;
  }
  const auto fields = Fields(line.substr(close + 1));
  if (fields.size() <= kSystemAfterName) return std::nullopt;
  auto user = Number(fields[kUserAfterName]);
  auto system = Number(fields[kSystemAfterName]);
  if (!user || !system) return std::nullopt;
  return ProcStat{std::string(line.substr(open + 1, close - open - 1)), *user, *system};
}

std::optional<double> PercentOfOneCore(const ProcStat& start, const ProcStat& end, double seconds,
                                       int ticks_per_second) {
  if (!(seconds > 0) || ticks_per_second <= 0) return std::nullopt;
  const std::uint64_t before = start.user_ticks + start.system_ticks;
  const std::uint64_t after = end.user_ticks + end.system_ticks;
  if (after < before) return std::nullopt;
  const double cpu_seconds = static_cast<double>(after - before) / ticks_per_second;
  return 100.0 * cpu_seconds / seconds;
}

}  // namespace tarvik::bench
