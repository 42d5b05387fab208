#include <gtest/gtest.h>

#include <cwchar>
#include <stdexcept>

#include "bench/StartupPlan.h"

namespace tarvik::bench {
namespace {

std::variant<Options, std::string> Parse(std::vector<std::wstring> args) {
  return ParseOptions(args);
}

TEST(RoundOrderTest, AlternatesWhichProgramGoesFirst) {
  EXPECT_EQ(RoundOrder(0)[0], Program::Tarvik);
  EXPECT_EQ(RoundOrder(0)[1], Program::Minimal);
  EXPECT_EQ(RoundOrder(1)[0], Program::Minimal);
  EXPECT_EQ(RoundOrder(1)[1], Program::Tarvik);
  EXPECT_EQ(RoundOrder(2), RoundOrder(0));
}

TEST(MedianTest, MiddleOfAnOddCountWhateverTheOrder) {
  EXPECT_DOUBLE_EQ(Median({30, 10, 20}), 20);
  EXPECT_DOUBLE_EQ(Median({7}), 7);
}

TEST(MedianTest, MeanOfTheTwoMiddleValuesOfAnEvenCount) {
  EXPECT_DOUBLE_EQ(Median({4, 1, 100, 2}), 3);
}

TEST(MedianTest, RefusesNoSamples) { EXPECT_THROW(Median({}), std::invalid_argument); }

TEST(RatioTest, DividesByAPositiveDenominatorOnly) {
  EXPECT_DOUBLE_EQ(Ratio(300, 200).value(), 1.5);
  EXPECT_FALSE(Ratio(300, 0));
  EXPECT_FALSE(Ratio(300, -1));
}

TEST(MeetsGoalTest, TheGoalItselfCountsAsMet) {
  EXPECT_TRUE(MeetsGoal(1.5, 1.5));
  EXPECT_TRUE(MeetsGoal(0.9, 1.5));
  EXPECT_FALSE(MeetsGoal(1.51, 1.5));
  EXPECT_FALSE(MeetsGoal(std::nullopt, 1.5));
}

TEST(ParseOptionsTest, NoArgumentsGiveTheDefaults) {
  Options options = std::get<Options>(Parse({}));
  EXPECT_EQ(options.rounds, 7);
  EXPECT_EQ(options.warmup_rounds, 1);
  EXPECT_EQ(options.timeout_ms, 30000);
  EXPECT_TRUE(options.tarvik_path.empty());
  EXPECT_TRUE(options.minimal_path.empty());
}

TEST(ParseOptionsTest, ReadsEveryOption) {
  Options options =
      std::get<Options>(Parse({L"--rounds", L"11", L"--warmup", L"0", L"--timeout-ms", L"5000",
                               L"--tarvik", L"C:\\t.exe", L"--minimal", L"m.exe"}));
  EXPECT_EQ(options.rounds, 11);
  EXPECT_EQ(options.warmup_rounds, 0);
  EXPECT_EQ(options.timeout_ms, 5000);
  EXPECT_EQ(options.tarvik_path, L"C:\\t.exe");
  EXPECT_EQ(options.minimal_path, L"m.exe");
}

TEST(ParseOptionsTest, RefusesUnknownOptionsAndMissingValues) {
  EXPECT_EQ(std::get<std::string>(Parse({L"--round", L"3"})), "unknown option: --round");
  EXPECT_TRUE(std::holds_alternative<std::string>(Parse({L"--rounds"})));
  EXPECT_TRUE(std::holds_alternative<std::string>(Parse({L"--tarvik", L""})));
}

TEST(ParseOptionsTest, RefusesCountsThatAreNotWholeNumbersInRange) {
  for (const wchar_t* bad : {L"7x", L"", L"-1", L"0", L"1001", L"1e3", L" 7"}) {
    EXPECT_TRUE(std::holds_alternative<std::string>(Parse({L"--rounds", bad})))
        << "accepted rounds '" << std::string(bad, bad + std::wcslen(bad)) << "'";
  }
  EXPECT_TRUE(std::holds_alternative<std::string>(Parse({L"--timeout-ms", L"0"})));
}

}  // namespace
}  // namespace tarvik::bench
