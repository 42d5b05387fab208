#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "bench/CpuShare.h"

namespace tarvik::bench {
namespace {

// A real line's shape: utime 1510 and stime 322 are the 14th and 15th fields.
constexpr const char* kTarvikLine =
    "48213 (tarvik.exe) S 1 48200 48200 0 -1 4194304 21544 0 3 0 1510 322 0 0 20 0 9 0 "
    "8812345 3170041856 12431 18446744073709551615 1 1 0 0 0 0 0 4096 0 0 0 0 17 1 0 0 0 0 0\n";

TEST(ParseProcStatTest, ReadsTheNameAndBothTimes) {
  auto stat = ParseProcStat(kTarvikLine);
  ASSERT_TRUE(stat);
  EXPECT_EQ(stat->name, "tarvik.exe");
  EXPECT_EQ(stat->user_ticks, 1510u);
  EXPECT_EQ(stat->system_ticks, 322u);
}

TEST(ParseProcStatTest, ANameWithSpacesAndParenthesesEndsAtTheLastParenthesis) {
  auto stat = ParseProcStat("7 (odd ) name) R 1 7 7 0 -1 0 0 0 0 0 12 34 0 0 20 0 1 0 5");
  ASSERT_TRUE(stat);
  EXPECT_EQ(stat->name, "odd ) name");
  EXPECT_EQ(stat->user_ticks, 12u);
  EXPECT_EQ(stat->system_ticks, 34u);
}

TEST(ParseProcStatTest, RefusesWhatIsNoStatLine) {
  EXPECT_FALSE(ParseProcStat(""));
  EXPECT_FALSE(ParseProcStat("no parentheses 1 2 3"));
  EXPECT_FALSE(ParseProcStat("7 (short) R 1 7 7 0 -1 0 0 0 0 0 12"));
  EXPECT_FALSE(ParseProcStat("7 (bad) R 1 7 7 0 -1 0 0 0 0 0 1x 34 0"));
  EXPECT_FALSE(ParseProcStat("7 (neg) R 1 7 7 0 -1 0 0 0 0 0 -12 34 0"));
}

TEST(PercentOfOneCoreTest, TicksOverWallTime) {
  ProcStat start{"tarvik.exe", 1000, 200};
  ProcStat end{"tarvik.exe", 1100, 250};
  // 150 ticks at 100 a second is 1.5 s of CPU in 60 s.
  EXPECT_DOUBLE_EQ(PercentOfOneCore(start, end, 60, 100).value(), 2.5);
  EXPECT_DOUBLE_EQ(PercentOfOneCore(start, end, 60, 250).value(), 1.0);
  EXPECT_DOUBLE_EQ(PercentOfOneCore(start, start, 60, 100).value(), 0.0);
}

TEST(PercentOfOneCoreTest, MoreThanOneCoreIsAllowed) {
  EXPECT_DOUBLE_EQ(PercentOfOneCore({"w", 0, 0}, {"w", 150, 50}, 1, 100).value(), 200.0);
}

TEST(PercentOfOneCoreTest, RefusesNoIntervalAndTimesThatWentBack) {
  ProcStat start{"tarvik.exe", 1000, 200};
  ProcStat end{"tarvik.exe", 1100, 250};
  EXPECT_FALSE(PercentOfOneCore(start, end, 0, 100));
  EXPECT_FALSE(PercentOfOneCore(start, end, -1, 100));
  EXPECT_FALSE(PercentOfOneCore(start, end, 60, 0));
  EXPECT_FALSE(PercentOfOneCore(end, start, 60, 100));
}

#ifdef __linux__
std::optional<ProcStat> OwnStat() {
  std::ifstream file("/proc/self/stat");
  std::stringstream text;
  text << file.rdbuf();
  return ParseProcStat(text.str());
}

TEST(ParseProcStatTest, ReadsThisProcesssOwnLineAndItsTimesOnlyGrow) {
  auto before = OwnStat();
  ASSERT_TRUE(before);
  // The kernel keeps 15 characters of the name.
  EXPECT_EQ(before->name, "tarvik_bench_te");
  volatile double sink = 0;
  for (int i = 0; i < 20000000; ++i) sink = sink + i;
  auto after = OwnStat();
  ASSERT_TRUE(after);
  EXPECT_GE(after->user_ticks + after->system_ticks, before->user_ticks + before->system_ticks);
  EXPECT_TRUE(PercentOfOneCore(*before, *after, 1, 100));
}
#endif

}  // namespace
}  // namespace tarvik::bench
