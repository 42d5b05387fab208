#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "waypoints/exchange/Csv.h"
#include "waypoints/exchange/CsvWaypoints.h"

namespace tarvik::waypoints::exchange {
namespace {

// Name, latitude and longitude of every waypoint taken, with its line.
struct Taken {
  std::string name;
  std::string latitude;
  std::string longitude;
  int line;
  bool operator==(const Taken&) const = default;
};

std::vector<Taken> TakenFrom(const ImportOutcome& outcome) {
  std::vector<Taken> taken;
  for (const auto& imported : outcome.batch.waypoints) {
    EXPECT_EQ(imported.waypoint.Extra, "2");
    taken.push_back({imported.waypoint.Name, imported.waypoint.Latitude,
                     imported.waypoint.Longitude, imported.line});
  }
  return taken;
}

std::vector<int> SkippedLines(const ImportOutcome& outcome) {
  std::vector<int> lines;
  for (const auto& skipped : outcome.batch.skipped) {
    EXPECT_EQ(skipped.reason, SkipReason::NotAPosition);
    lines.push_back(skipped.line);
  }
  return lines;
}

struct SeparatorCase {
  const char* what;
  std::string text;
};

TEST(CsvWaypoints, TheHeaderGivesTheSeparatorAndTheColumnsInAnyOrderAndCase) {
  const std::vector<Taken> expected = {{"West Yard", "48.1", "-113.2", 2},
                                       {"Summit", "48.3162", "-113.3486", 3}};
  const SeparatorCase cases[] = {
      {"comma", "name,lat,lon\nWest Yard,48.1,-113.2\nSummit,48.3162,-113.3486\n"},
      {"semicolon, decimal commas",
       "Title;LATITUDE;Lng\r\nWest Yard;48,1;-113,2\r\nSummit;48,3162;-113,3486"},
      {"tab, longitude first",
       "Long\tnote\tLat\tLabel\n-113.2\tx, y\t48.1\tWest Yard\n-113.3486\t\t48.3162\tSummit\n"},
      {"byte-order mark",
       "\xEF\xBB\xBFlongitude,latitude,name\n-113.2,48.1,West Yard\n-113.3486,48.3162,Summit\n"},
      {"notations",
       "name;lat;lon\nWest Yard;48\u00B06'0\"N;113\u00B012'W\nSummit;+48.3162; -113.3486 \n"},
  };
  for (const auto& c : cases) {
    ImportOutcome outcome = ReadCsvWaypoints(c.text);
    ASSERT_FALSE(outcome.refusal) << c.what << ": " << outcome.refusal->reason;
    EXPECT_EQ(TakenFrom(outcome), expected) << c.what;
    EXPECT_TRUE(outcome.batch.skipped.empty()) << c.what;
  }
}

TEST(CsvWaypoints, QuotedFieldsHoldSeparatorsQuotesAndLineEnds) {
  ImportOutcome outcome = ReadCsvWaypoints(
      "name,lat,lon\n"
      "\"Yard, \"\"West\"\"\",48.1,-113.2\n"
      "\"Two\r\nlines\",\"1.5\",2\n"
      "After,3,4\n");
  ASSERT_FALSE(outcome.refusal);
  EXPECT_EQ(TakenFrom(outcome), (std::vector<Taken>{{"Yard, \"West\"", "48.1", "-113.2", 2},
                                                    {"Two lines", "1.5", "2", 3},
                                                    {"After", "3", "4", 5}}));
}

TEST(CsvWaypoints, RowsWithoutAPositionAreSkippedWithTheirLinesAndBlankRowsIgnored) {
  ImportOutcome outcome = ReadCsvWaypoints(
      "name,latitude,longitude,extra\n"
      "Good,1,2,x\n"
      "\n"
      "Out of range,91,2\n"
      "Words,north,2\n"
      "Short,1\n"
      ",,,\n"
      "Wrong hemisphere,8 E,2\n"
      ",5,6\n"
      "Fraction digits,1.23456789,2.0000004\n");
  ASSERT_FALSE(outcome.refusal);
  EXPECT_EQ(TakenFrom(outcome), (std::vector<Taken>{{"Good", "1", "2", 2},
                                                    {"WP 6", "5", "6", 9},
                                                    {"Fraction digits", "1.234568", "2", 10}}));
  EXPECT_EQ(SkippedLines(outcome), (std::vector<int>{4, 5, 6, 8}));
}

TEST(CsvWaypoints, WithoutANameColumnEveryWaypointIsNumbered) {
  ImportOutcome outcome = ReadCsvWaypoints("lat,lon\n1,2\nx,y\n3,4\n");
  EXPECT_EQ(TakenFrom(outcome), (std::vector<Taken>{{"WP 1", "1", "2", 2}, {"WP 3", "3", "4", 4}}));
}

TEST(CsvWaypoints, FilesThatAreNoWaypointTableAreRefused) {
  struct Refused {
    std::string text;
    const char* reason;
  };
  const Refused cases[] = {
      {"name,x,y\nA,1,2\n", "its first line does not name a latitude and a longitude column"},
      {"", "its first line does not name a latitude and a longitude column"},
      {"name,lat,lon\nA,1,2\nB\xE9,3,4\n", "it is not UTF-8 text (line 3)"},
      {"name,lat,lon\nA,1,2\n\"B,3,4\nC,5,6\n",
       "the quoted field that starts on line 3 never ends"},
  };
  for (const auto& c : cases) {
    ImportOutcome outcome = ReadCsvWaypoints(c.text);
    ASSERT_TRUE(outcome.refusal) << c.text;
    EXPECT_EQ(outcome.refusal->reason, c.reason);
  }
}

TEST(CsvWaypoints, WrittenWithMarkHeaderAndQuotesWhereNeeded) {
  std::string text =
      WriteCsvWaypoints({{"Yard, \"West\"", "48.1", "-113.2", "2"}, {" Z", "1", "2", "2"}});
  EXPECT_EQ(text,
            "\xEF\xBB\xBFname,latitude,longitude\r\n"
            "\"Yard, \"\"West\"\"\",48.1,-113.2\r\n"
            "\" Z\",1,2\r\n");
  EXPECT_EQ(CsvField("a;b", ';'), "\"a;b\"");
  EXPECT_EQ(CsvField("a;b", ','), "a;b");
}

}  // namespace
}  // namespace tarvik::waypoints::exchange
