#include "bench/TransitSoak.h"

#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "bench/ChildProgram.h"
#include "bench/ProcessResources.h"
#include "bench/ResourceGrowth.h"
#include "bench/TransitPassRatio.h"

namespace tarvik::bench {

namespace {

constexpr int kWarmupPasses = 200;
constexpr int kSampleEvery = 5000;
// The heap and Wine's caches move by a page or a few; a leak of even a few
// bytes a pass would pass this within 20,000 passes.
constexpr std::uint64_t kMemoryThreshold = 64 * 1024;
constexpr std::uint64_t kCountThreshold = 1;

struct Series {
  const char* name;
  std::uint64_t threshold;
  // Zero readings of a figure that the platform may not provide say so.
  const char* zero_means;
  std::vector<std::optional<std::uint64_t>> samples;
};

std::string Cell(const std::optional<std::uint64_t>& sample) {
  return sample ? std::to_string(*sample) : std::string("n/a");
}

void RunPasses(InProcessTransit& transit, int passes) {
  for (int i = 0; i < passes; ++i) {
    transit.Pass();
    transit.PumpAndPaint();
  }
}

const char* SourceName(CommitSource source) {
  switch (source) {
    case CommitSource::PrivateUsage:
      return "PrivateUsage";
    case CommitSource::PagefileUsage:
      return "PagefileUsage, as PrivateUsage reads 0";
    case CommitSource::None:
      return "neither PrivateUsage nor PagefileUsage";
  }
  return "unknown";
}

// Returns where the private bytes came from.
CommitSource Sample(int passes, std::vector<Series>& series) {
  const ResourceReadings readings = ReadOwnResources();
  const CommitCharge commit = ChooseCommitCharge(readings.private_usage, readings.pagefile_usage);
  const std::optional<std::uint64_t> values[] = {
      Provided(readings.user_objects, readings.windows),
      Provided(readings.gdi_objects, readings.windows), commit.bytes,
      static_cast<std::uint64_t>(readings.windows)};
  for (size_t i = 0; i < series.size(); ++i) series[i].samples.push_back(values[i]);
  std::printf("%8d %13s %12s %14s %8s\n", passes, Cell(values[0]).c_str(),
              Cell(values[1]).c_str(), Cell(values[2]).c_str(), Cell(values[3]).c_str());
  return commit.source;
}

void PrintVerdict(const Series& series) {
  const GrowthVerdict verdict = JudgeGrowth(series.samples, series.threshold);
  if (verdict.growth == Growth::NotMeasured) {
    std::printf("%s: %s\n", series.name, series.zero_means);
    return;
  }
  std::printf("%s: %+lld from start to end: %s (threshold %llu)\n", series.name,
              static_cast<long long>(verdict.change), Describe(verdict.growth),
              static_cast<unsigned long long>(series.threshold));
}

}  // namespace

int RunSoak(InProcessTransit& transit, int passes) {
  RunPasses(transit, kWarmupPasses);
  std::vector<Series> series = {
      {"USER objects", kCountThreshold,
       "not provided by this Wine (GetGuiResources returned 0 with windows open)", {}},
      {"GDI objects", kCountThreshold,
       "not provided by this Wine (GetGuiResources returned 0 with windows open)", {}},
      {"private bytes", kMemoryThreshold,
       "not provided (PrivateUsage and PagefileUsage read 0)", {}},
      {"windows of this process", kCountThreshold, "not measured (no windows)", {}},
  };
  std::printf("soak: %d passes after a %d-pass warm-up, painting after each\n", passes,
              kWarmupPasses);
  std::printf("%8s %13s %12s %14s %8s\n", "passes", "USER objects", "GDI objects",
              "private bytes", "windows");
  Stopwatch clock;
  int done = 0;
  std::optional<CommitSource> commit_source;
  for (int point : SamplePoints(passes, kSampleEvery)) {
    RunPasses(transit, point - done);
    done = point;
    const CommitSource source = Sample(done, series);
    if (!commit_source) commit_source = source;
    if (*commit_source != source) std::printf("note: private bytes changed their source\n");
  }
  const double elapsed_ms = clock.ElapsedMs();
  if (passes > 0) {
    std::printf("soak took %.1f s, %.0f us a pass with painting\n", elapsed_ms / 1000,
                elapsed_ms * 1000 / passes);
  }
  std::printf("private bytes are the commit charge from %s\n", SourceName(*commit_source));
  for (const Series& one : series) PrintVerdict(one);
  std::printf("after the soak:\n");
  return ReportWhatTheWindowShows(transit) ? 0 : 1;
}

}  // namespace tarvik::bench
