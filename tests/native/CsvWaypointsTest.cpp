#include <gtest/gtest.h>

#include <optional>
#include <random>
#include <string>
#include <vector>

#include "waypoints/exchange/Csv.h"
#include "waypoints/exchange/CsvColumns.h"
#include "waypoints/exchange/CsvWaypoints.h"
#include "waypoints/exchange/Windows1252.h"

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
  EXPECT_EQ(TakenFrom(outcome), (std::vector<Taken>{{"Yard, 'West'", "48.1", "-113.2", 2},
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

std::string Repeated(const std::string& text, int times) {
  std::string repeated;
  repeated.reserve(text.size() * static_cast<size_t>(times));
  for (int i = 0; i < times; ++i) repeated += text;
  return repeated;
}

TEST(CsvWaypoints, FilesThatAreNoWaypointTableAreRefused) {
  struct Refused {
    std::string text;
    const char* reason;
  };
  const Refused cases[] = {
      {"name,east,north\nA,1,2\n", "its first line does not name a latitude and a longitude column"},
      {"", "its first line does not name a latitude and a longitude column"},
      {"\xEF\xBB\xBFname,lat,lon\nA,1,2\nB\xE9,3,4\n", "it is not UTF-8 text (line 3)"},
      {"name,lat,lon\nA,1,2\n\"B,3,4\nC,5,6\n",
       "the quoted field that starts on line 3 never ends"},
      {"lat,lon\n1,2\n" + std::string(CsvRecords::kMostFields, ',') + "\n",
       "line 3 has more than 16384 fields"},
      {"name,lat,lon\n" + std::string(65537, 'x') + ",1,2\n",
       "line 2 holds a name of more than 65536 bytes"},
      {"35.97203, -87.13470, Trailhead\n\nnorth, -87.1, Creek\n",
       "it has no header line, and line 3 does not start with a latitude and a longitude"},
      {"95,10,Beyond the pole\n", "its first line does not name a latitude and a longitude column"},
      {"lat,lon\n" + Repeated("x\n", 250001), "it has more than 250000 rows"},
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

TEST(CsvColumns, NamedAsGisGpsAndSpreadsheetProgramsNameThem) {
  struct Case {
    std::vector<std::string> header;
    std::optional<size_t> name, latitude, longitude;
  };
  const auto none = std::nullopt;
  const Case cases[] = {
      {{"name", "id", "nametype", "class", "mass (g)", "year", "reclat", "reclong", "GeoLocation"},
       0, 6, 7},
      {{"INDEX", "TAG", "DATE", "TIME", "LATITUDE N/S", "LONGITUDE E/W", "HEIGHT"}, none, 4, 5},
      {{"Station", "Latitude (deg)", "Longitude (deg)"}, none, 1, 2},
      {{"site_name", "lat_dd", "long_dd"}, 0, 1, 2},
      {{" LAT ", "Lng", "Label"}, 2, 0, 1},
      {{"gpslat", "gpslong", "Title"}, 2, 0, 1},
      {{"FID", "POINT_X", "POINT_Y", "Name"}, 3, 2, 1},
      {{"id", "geom_x", "geom_y"}, none, 2, 1},
      {{"Y", "X"}, none, 0, 1},
      // x and y count only where no column is named for latitude and longitude.
      {{"x", "y", "lat", "lon"}, none, 2, 3},
      // A whole name or a word wins over the start or end of a word.
      {{"lateral", "along", "Lat", "Lon"}, none, 2, 3},
      {{"start_lat", "start_lon", "end_lat", "end_lon"}, none, 0, 1},
      // One column named for both is neither.
      {{"lat/lon", "latitude", "longitude"}, none, 1, 2},
      {{"latlng", "label"}, none, none, none},
      {{"name", "easting", "northing"}, none, none, none},
      {{"name", "lat"}, none, none, none},
  };
  for (const auto& c : cases) {
    std::string what;
    for (const auto& cell : c.header) what += cell + "|";
    auto columns = ColumnsNamed(c.header);
    ASSERT_EQ(columns.has_value(), c.latitude.has_value()) << what;
    if (!columns) continue;
    EXPECT_EQ(columns->latitude, *c.latitude) << what;
    EXPECT_EQ(columns->longitude, *c.longitude) << what;
    EXPECT_EQ(columns->name, c.name) << what;
  }
}

struct TableCase {
  const char* what;
  std::string text;
  std::vector<Taken> taken;
  std::vector<std::string> notes;
};

void ExpectTables(const std::vector<TableCase>& cases) {
  for (const auto& c : cases) {
    ImportOutcome outcome = ReadCsvWaypoints(c.text);
    ASSERT_FALSE(outcome.refusal) << c.what << ": " << outcome.refusal->reason;
    EXPECT_EQ(TakenFrom(outcome), c.taken) << c.what;
    EXPECT_EQ(outcome.batch.notes, c.notes) << c.what;
  }
}

TEST(CsvWaypoints, TheSummarySaysWhichColumnsTheHeaderGave) {
  ExpectTables({
      {"open data",
       "name,id,nametype,class,mass (g),year,reclat,reclong,GeoLocation\n"
       "Kestrel Flat,7,Valid,H6,120,1999,-31.25,140.5,\"(-31.25, 140.5)\"\n",
       {{"Kestrel Flat", "-31.25", "140.5", 2}},
       {"Latitude from column reclat, longitude from reclong, names from name."}},
      {"a GPS logger",
       "INDEX,TAG,DATE,TIME,LATITUDE N/S,LONGITUDE E/W,HEIGHT\n"
       "1,T,240501,083000,31.765973N,35.210000E,780\n"
       "2,T,240501,083005,31.765980S,118.123456W,781\n",
       {{"WP 1", "31.765973", "35.21", 2}, {"WP 2", "-31.76598", "-118.123456", 3}},
       {"Latitude from column LATITUDE N/S, longitude from LONGITUDE E/W."}},
      {"bars apart",
       "Title|Latitude (deg)|Longitude (deg)\r\nSummit|48.3162|-113.3486\r\n",
       {{"Summit", "48.3162", "-113.3486", 2}},
       {"Latitude from column Latitude (deg), longitude from Longitude (deg), names from Title."}},
      {"a GIS export",
       "FID;POINT_X;POINT_Y;Name\n0;8,54019;47,37819;Bahnhof\n",
       {{"Bahnhof", "47.37819", "8.54019", 2}},
       {"Latitude from column POINT_Y, longitude from POINT_X, names from Name."}},
      {"a header too long to show",
       "name,\"lat, " + std::string(50, 'z') + "\",lon\nA,1,2\n",
       {{"A", "1", "2", 2}},
       {"Latitude from column lat, " + std::string(35, 'z') + "\u2026, longitude from lon, names "
        "from name."}},
  });
}

TEST(CsvWaypoints, ATableWithoutHeaderIsReadByItsFirstTwoColumns) {
  const std::string columns = "No header line: latitude from column 1, longitude from column 2";
  ExpectTables({
      {"names in the third",
       "35.97203, -87.13470, Mountain Bike Heaven\n36.0,-86.5,\"Creek, lower\"\n",
       {{"Mountain Bike Heaven", "35.97203", "-87.1347", 1}, {"Creek, lower", "36", "-86.5", 2}},
       {columns + ", names from column 3."}},
      {"two columns, bars apart", "47.1|8.5\n\n47.2|8.6\n",
       {{"WP 1", "47.1", "8.5", 1}, {"WP 2", "47.2", "8.6", 3}}, {columns + "."}},
      {"a number in the third is no name", "47,1;8,5;412.5\n",
       {{"WP 1", "47.1", "8.5", 1}}, {columns + "."}},
  });
}

TEST(Windows1252, BytesStandForTheCodePagesCharacters) {
  const std::pair<unsigned char, char32_t> cases[] = {
      {0x41, U'A'}, {0x80, U'\u20AC'}, {0x81, U'\u0081'}, {0x8A, U'\u0160'}, {0x93, U'\u201C'},
      {0x9F, U'\u0178'}, {0xA0, U'\u00A0'}, {0xB0, U'\u00B0'}, {0xFC, U'\u00FC'}, {0xFF, U'\u00FF'}};
  for (auto [byte, character] : cases) {
    EXPECT_EQ(Windows1252Character(byte), character) << static_cast<int>(byte);
  }
}

// A table as a spreadsheet saves it in either encoding is read alike; only
// the summary says which it was, and a UTF-8 mark makes other bytes damage.
TEST(CsvWaypoints, ATableThatIsNotUtf8IsReadAsWindows1252) {
  const std::vector<std::string> names = {"Z\xFCrich", "Caf\xE9 \x80", "\x93Old\x94 Mill",
                                          "\x8A" "koda", "Plain", "\x9F\xFF"};
  const std::vector<std::string> latitudes = {"47.37819", "47\xB0 22' 41\"", "-8,5", "N 47 22.691"};
  const char separators[] = {';', '\t', ',', '|'};
  std::mt19937 random(1252);
  for (int round = 0; round < 200; ++round) {
    const char separator = separators[random() % std::size(separators)];
    std::string text = std::string("name") + separator + "latitude" + separator + "lon\r\n";
    text += "Z\xFCrich";  // at least one byte that UTF-8 cannot hold
    for (int row = 0; row < 5; ++row) {
      text += names[random() % names.size()];
      text += separator;
      std::string latitude = latitudes[random() % latitudes.size()];
      if (separator == ',' && latitude.find(',') != std::string::npos) latitude = "1";
      text += latitude + separator + "8.5\r\n";
    }
    ImportOutcome as_1252 = ReadCsvWaypoints(text);
    ImportOutcome as_utf8 = ReadCsvWaypoints(Windows1252ToUtf8(text));
    ASSERT_FALSE(as_1252.refusal) << text;
    ASSERT_FALSE(as_utf8.refusal) << text;
    EXPECT_EQ(TakenFrom(as_1252), TakenFrom(as_utf8)) << text;
    std::vector<std::string> notes = as_utf8.batch.notes;
    notes.insert(notes.begin() + 1, "The file is not UTF-8 text; it was read as Windows-1252.");
    EXPECT_EQ(as_1252.batch.notes, notes) << text;
    EXPECT_TRUE(ReadCsvWaypoints("\xEF\xBB\xBF" + text).refusal) << text;
  }
  ImportOutcome zurich = ReadCsvWaypoints("Name;Lat;Lon\r\nZ\xFCrich;47,37819;8,54019\r\n");
  EXPECT_EQ(TakenFrom(zurich), (std::vector<Taken>{{"Z\xC3\xBCrich", "47.37819", "8.54019", 2}}));
}

}  // namespace
}  // namespace tarvik::waypoints::exchange
