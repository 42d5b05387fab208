#include <gtest/gtest.h>

#include <utility>

#include "standins/common/StandinText.h"
#include "standins/common/StartOptions.h"

namespace tarvik::standins {
namespace {

TEST(StandinText, LeadingNumberTakesWhatTarvikWrites) {
  EXPECT_EQ(LeadingNumber(L"48.50718d"), 48.50718);
  EXPECT_EQ(LeadingNumber(L"-111.86247d"), -111.86247);
  EXPECT_EQ(LeadingNumber(L"-111.86247 deg"), -111.86247);
  EXPECT_EQ(LeadingNumber(L" - 1 2.5\t0\n"), -12.5) << "blanks anywhere are skipped";
  EXPECT_EQ(LeadingNumber(L"+.5"), 0.5);
  EXPECT_EQ(LeadingNumber(L"5."), 5.0);
  EXPECT_EQ(LeadingNumber(L"1e2x"), 100.0);
  EXPECT_EQ(LeadingNumber(L"1e"), 1.0) << "an exponent without digits is not part of the number";
  EXPECT_EQ(LeadingNumber(L"2E-1d"), 0.2);
  EXPECT_EQ(LeadingNumber(L"3.5.1"), 3.5);
  EXPECT_EQ(LeadingNumber(L"4-5"), 4.0);
}

TEST(StandinText, LeadingNumberRefusesTextsWithoutOne) {
  for (const wchar_t* text : {L"", L"d", L".", L"-", L"+.", L"e5", L"abc 12", L"1e999", L"N 48"}) {
    EXPECT_FALSE(LeadingNumber(text)) << static_cast<int>(text[0]);
  }
}

// What the Route Editor's fields and the USAPhotoMaps dialog take: the
// forms of number a waypoint may hold, alone.
TEST(StandinText, WholeNumberIsANumberAndNothingElse) {
  const std::pair<const wchar_t*, double> numbers[] = {
      {L"48.50718", 48.50718}, {L"-111.86247", -111.86247}, {L"+3", 3}, {L".5", 0.5},
      {L"5.", 5},              {L"4.85E1", 48.5},           {L"2e-1", 0.2}};
  for (const auto& [text, value] : numbers) EXPECT_EQ(WholeNumber(text), value) << value;
  for (const wchar_t* text : {L"", L"48.5x", L"48.5d", L"48.5 ", L" 48.5", L"4 8", L"1e", L"1e999",
                              L"1,5", L"--1", L"1.2.3", L"\x0661"}) {
    EXPECT_FALSE(WholeNumber(text)) << static_cast<int>(text[0]);
  }
}

TEST(StandinText, FixedShowsExactlyTheDecimalsAsked) {
  EXPECT_EQ(Fixed(48.507184, 5), L"48.50718");
  EXPECT_EQ(Fixed(-111.862466, 5), L"-111.86247");
  EXPECT_EQ(Fixed(0.5, 3), L"0.500");
  EXPECT_EQ(Fixed(-1023.9999, 3), L"-1024.000");
  EXPECT_EQ(Fixed(12, 0), L"12");
  EXPECT_EQ(Fixed(-0.0004, 3), L"0.000") << "no minus sign on a zero";
  EXPECT_EQ(Fixed(-0.0005001, 3), L"-0.001");
}

TEST(StartOptions, HangSwitchWithAndWithoutSeconds) {
  EXPECT_FALSE(ParseStartOptions(L"").hang);
  EXPECT_FALSE(ParseStartOptions(L"--hang").hang);
  EXPECT_FALSE(ParseStartOptions(L"--hang-after-started").hang);

  const StartOptions forever = ParseStartOptions(L"--hang-after-start");
  EXPECT_TRUE(forever.hang);
  EXPECT_FALSE(forever.hang_for);

  const StartOptions timed = ParseStartOptions(L"  other \"--hang-after-start=3\" ");
  EXPECT_TRUE(timed.hang);
  ASSERT_TRUE(timed.hang_for);
  EXPECT_EQ(timed.hang_for->count(), 3);

  EXPECT_FALSE(ParseStartOptions(L"--hang-after-start=").hang);
  EXPECT_FALSE(ParseStartOptions(L"--hang-after-start=2s").hang);
  EXPECT_FALSE(ParseStartOptions(L"--hang-after-start=1234567").hang) << "more than six digits";
}

TEST(StartOptions, LogSwitchTakesAPathThatMayHoldBlanksInQuotes) {
  EXPECT_EQ(ParseStartOptions(L"").log, L"");
  EXPECT_EQ(ParseStartOptions(L"--log=C:\\t\\r.log").log, L"C:\\t\\r.log");
  const StartOptions both =
      ParseStartOptions(L"\"--log=C:\\My Files\\r.log\" --hang-after-start=2");
  EXPECT_EQ(both.log, L"C:\\My Files\\r.log");
  EXPECT_TRUE(both.hang);
  EXPECT_EQ(ParseStartOptions(L"--log=").log, L"") << "no path, no log";
}

}  // namespace
}  // namespace tarvik::standins
