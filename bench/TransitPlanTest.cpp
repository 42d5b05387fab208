#include <gtest/gtest.h>

#include "bench/TransitPlan.h"
#include "bench/WholeNumber.h"

namespace tarvik::bench {
namespace {

std::variant<TransitOptions, std::string> Parse(std::vector<std::wstring> args) {
  return ParseTransitOptions(args);
}

bool Refused(std::vector<std::wstring> args) {
  return std::holds_alternative<std::string>(Parse(std::move(args)));
}

TEST(ParseCountTest, ReadsWholeNumbersWithinTheBounds) {
  EXPECT_EQ(ParseCount(L"0", 0, 5), 0);
  EXPECT_EQ(ParseCount(L"5", 0, 5), 5);
  EXPECT_EQ(ParseCount(L"007", 0, 10), 7);
  EXPECT_FALSE(ParseCount(L"6", 0, 5));
  EXPECT_FALSE(ParseCount(L"1", 2, 5));
  EXPECT_FALSE(ParseCount(L"1234567890", 0, 2000000000)) << "ten digits may not fit";
  EXPECT_FALSE(ParseCount(L"+3", 0, 5));
}

TEST(ParseTransitOptionsTest, NoArgumentsRunTheBenchmarkWithItsDefaults) {
  TransitOptions options = std::get<TransitOptions>(Parse({}));
  EXPECT_EQ(options.mode, TransitMode::Benchmark);
  EXPECT_EQ(options.rounds, 31);
  EXPECT_EQ(options.soak_passes, 20000);
  EXPECT_EQ(options.seconds, 60);
  EXPECT_EQ(options.clock_ticks, 100);
}

TEST(ParseTransitOptionsTest, ReadsRoundsAndSoakIncludingNoSoak) {
  TransitOptions options = std::get<TransitOptions>(Parse({L"--soak", L"0", L"--rounds", L"5"}));
  EXPECT_EQ(options.soak_passes, 0);
  EXPECT_EQ(options.rounds, 5);
}

TEST(ParseTransitOptionsTest, ReadsEachMode) {
  EXPECT_EQ(std::get<TransitOptions>(Parse({L"--fillers"})).mode, TransitMode::Fillers);
  EXPECT_EQ(std::get<TransitOptions>(Parse({L"--open-transit", L"--timeout-ms", L"900"})).mode,
            TransitMode::OpenTransit);
}

TEST(ParseTransitOptionsTest, CpuShareReadsBothProcessesAndTheInterval) {
  TransitOptions options = std::get<TransitOptions>(
      Parse({L"--cpu-share", L"--tarvik-pid", L"4321", L"--wineserver-pid", L"77", L"--seconds",
             L"10", L"--clock-ticks", L"250"}));
  EXPECT_EQ(options.mode, TransitMode::CpuShare);
  EXPECT_EQ(options.tarvik_pid, 4321);
  EXPECT_EQ(options.wineserver_pid, 77);
  EXPECT_EQ(options.seconds, 10);
  EXPECT_EQ(options.clock_ticks, 250);
}

TEST(ParseTransitOptionsTest, CpuShareRefusesAMissingProcess) {
  EXPECT_TRUE(Refused({L"--cpu-share", L"--tarvik-pid", L"4321"}));
  EXPECT_TRUE(Refused({L"--cpu-share", L"--wineserver-pid", L"77"}));
}

TEST(ParseTransitOptionsTest, RefusesTwoModesUnknownNamesAndUnfitValues) {
  EXPECT_EQ(std::get<std::string>(Parse({L"--fillers", L"--open-transit"})),
            "more than one mode: --open-transit");
  EXPECT_EQ(std::get<std::string>(Parse({L"--soaks", L"3"})), "unknown option: --soaks");
  EXPECT_TRUE(Refused({L"--rounds"}));
  EXPECT_TRUE(Refused({L"--rounds", L"0"}));
  EXPECT_TRUE(Refused({L"--soak", L"-1"}));
  EXPECT_TRUE(Refused({L"--seconds", L"0"}));
  EXPECT_TRUE(Refused({L"--rounds", L"--soak"}));
}

}  // namespace
}  // namespace tarvik::bench
