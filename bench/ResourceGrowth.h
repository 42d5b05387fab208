#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

// The soak's arithmetic: when it samples, which readings count, and whether
// a quantity grew. Free of Windows calls so that the native build tests it.
namespace tarvik::bench {

// The passes after which the soak samples, counted from the end of the
// warm-up: 0, every `every` passes, and the last pass.
std::vector<int> SamplePoints(int passes, int every);

// A process with a window always holds USER and GDI objects and private
// memory, so a zero reading then means the platform does not provide the
// figure (Wine's GetGuiResources, for one); without a window zero is real.
std::optional<std::uint64_t> Provided(std::uint64_t reading, int windows_of_process);

// Windows reports a process's commit charge, its private bytes, twice: as
// PrivateUsage and as PagefileUsage. Wine 8 fills only the second.
enum class CommitSource { PrivateUsage, PagefileUsage, None };

struct CommitCharge {
  std::optional<std::uint64_t> bytes;
  CommitSource source = CommitSource::None;
};

// A running process always has private memory: a zero field is unfilled.
CommitCharge ChooseCommitCharge(std::uint64_t private_usage, std::uint64_t pagefile_usage);

enum class Growth { Grew, DidNotGrow, NotMeasured };

struct GrowthVerdict {
  Growth growth = Growth::NotMeasured;
  // The last sample minus the first; zero when not measured.
  std::int64_t change = 0;
};

// Grew when the last sample exceeds the first by at least `threshold`.
// Not measured when there are fewer than two samples or any is missing:
// half a series proves nothing either way.
GrowthVerdict JudgeGrowth(std::span<const std::optional<std::uint64_t>> samples,
                          std::uint64_t threshold);

const char* Describe(Growth growth);

}  // namespace tarvik::bench
