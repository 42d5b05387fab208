#include <gtest/gtest.h>

#include <stdexcept>

#include "bench/ResourceGrowth.h"

namespace tarvik::bench {
namespace {

using Samples = std::vector<std::optional<std::uint64_t>>;
constexpr std::uint64_t k64KiB = 64 * 1024;

TEST(SamplePointsTest, StartEveryStepAndTheEnd) {
  EXPECT_EQ(SamplePoints(20000, 5000), (std::vector<int>{0, 5000, 10000, 15000, 20000}));
  EXPECT_EQ(SamplePoints(12000, 5000), (std::vector<int>{0, 5000, 10000, 12000}));
  EXPECT_EQ(SamplePoints(300, 5000), (std::vector<int>{0, 300}));
}

TEST(SamplePointsTest, NoPassesStillSampleOnce) {
  EXPECT_EQ(SamplePoints(0, 5000), (std::vector<int>{0}));
}

TEST(SamplePointsTest, RefusesANegativeCountOrStep) {
  EXPECT_THROW(SamplePoints(-1, 5000), std::invalid_argument);
  EXPECT_THROW(SamplePoints(100, 0), std::invalid_argument);
}

TEST(ProvidedTest, ZeroWithAWindowIsNoReading) {
  EXPECT_FALSE(Provided(0, 3));
  EXPECT_EQ(Provided(0, 0), 0u);
  EXPECT_EQ(Provided(41, 3), 41u);
}

TEST(ChooseCommitChargeTest, PrivateUsageFirstThenPagefileUsage) {
  CommitCharge both = ChooseCommitCharge(5000, 7000);
  EXPECT_EQ(both.bytes, 5000u);
  EXPECT_EQ(both.source, CommitSource::PrivateUsage);
  CommitCharge wine = ChooseCommitCharge(0, 7000);
  EXPECT_EQ(wine.bytes, 7000u);
  EXPECT_EQ(wine.source, CommitSource::PagefileUsage);
}

TEST(ChooseCommitChargeTest, NeitherFilledIsNoReading) {
  CommitCharge none = ChooseCommitCharge(0, 0);
  EXPECT_FALSE(none.bytes);
  EXPECT_EQ(none.source, CommitSource::None);
}

TEST(JudgeGrowthTest, CountsGrowOnAnyRiseWithAThresholdOfOne) {
  GrowthVerdict rose = JudgeGrowth(Samples{40, 40, 41}, 1);
  EXPECT_EQ(rose.growth, Growth::Grew);
  EXPECT_EQ(rose.change, 1);
  EXPECT_EQ(JudgeGrowth(Samples{40, 45, 40}, 1).growth, Growth::DidNotGrow)
      << "only the end against the start counts";
}

TEST(JudgeGrowthTest, MemoryBelowTheThresholdDidNotGrow) {
  GrowthVerdict small = JudgeGrowth(Samples{1000000, 1000000 + k64KiB - 1}, k64KiB);
  EXPECT_EQ(small.growth, Growth::DidNotGrow);
  EXPECT_EQ(small.change, static_cast<std::int64_t>(k64KiB - 1));
  EXPECT_EQ(JudgeGrowth(Samples{1000000, 1000000 + k64KiB}, k64KiB).growth, Growth::Grew);
}

TEST(JudgeGrowthTest, AShrinkIsNoGrowthAndKeepsItsSign) {
  GrowthVerdict shrank = JudgeGrowth(Samples{5000, 3000}, 1);
  EXPECT_EQ(shrank.growth, Growth::DidNotGrow);
  EXPECT_EQ(shrank.change, -2000);
}

TEST(JudgeGrowthTest, MissingOrTooFewSamplesAreNotMeasured) {
  EXPECT_EQ(JudgeGrowth(Samples{std::nullopt, std::nullopt}, 1).growth, Growth::NotMeasured);
  EXPECT_EQ(JudgeGrowth(Samples{10, std::nullopt, 12}, 1).growth, Growth::NotMeasured);
  EXPECT_EQ(JudgeGrowth(Samples{10}, 1).growth, Growth::NotMeasured);
  EXPECT_EQ(JudgeGrowth(Samples{}, 1).change, 0);
}

TEST(DescribeTest, NamesEachVerdict) {
  EXPECT_STREQ(Describe(Growth::Grew), "grew");
  EXPECT_STREQ(Describe(Growth::DidNotGrow), "did not grow");
  EXPECT_STREQ(Describe(Growth::NotMeasured), "not measured");
}

}  // namespace
}  // namespace tarvik::bench
