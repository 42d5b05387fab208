#include "bench/ResourceGrowth.h"

#include <algorithm>
#include <stdexcept>

namespace tarvik::bench {

std::vector<int> SamplePoints(int passes, int every) {
  if (passes < 0 || every <= 0) throw std::invalid_argument("no sampling plan for these counts");
  std::vector<int> points;
  for (int at = 0; at < passes; at += every) points.push_back(at);
  points.push_back(passes);
  return points;
}

std::optional<std::uint64_t> Provided(std::uint64_t reading, int windows_of_process) {
  if (reading == 0 && windows_of_process > 0) return std::nullopt;
  return reading;
}

CommitCharge ChooseCommitCharge(std::uint64_t private_usage, std::uint64_t pagefile_usage) {
  if (private_usage > 0) return {private_usage, CommitSource::PrivateUsage};
  if (pagefile_usage > 0) return {pagefile_usage, CommitSource::PagefileUsage};
  return {};
}

GrowthVerdict JudgeGrowth(std::span<const std::optional<std::uint64_t>> samples,
                          std::uint64_t threshold) {
  if (samples.size() < 2) return {};
  if (std::any_of(samples.begin(), samples.end(), [](const auto& s) { return !s.has_value(); })) {
    return {};
  }
  const std::uint64_t first = *samples.front();
  const std::uint64_t last = *samples.back();
  const auto change = static_cast<std::int64_t>(last) - static_cast<std::int64_t>(first);
  const bool grew = last > first && last - first >= threshold;
  return {grew ? Growth::Grew : Growth::DidNotGrow, change};
}

const char* Describe(Growth growth) {
  switch (growth) {
    case Growth::Grew:
      return "grew";
    case Growth::DidNotGrow:
      return "did not grow";
    case Growth::NotMeasured:
      return "not measured";
  }
  return "unknown";
}

}  // namespace tarvik::bench
