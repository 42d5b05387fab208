#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "platform/memory/MemoryFiles.h"
#include "platform/memory/MemoryXml.h"
#include "tests/support/TestZip.h"
#include "waypoints/exchange/ExportPlan.h"
#include "waypoints/exchange/ImportPlan.h"
#include "waypoints/exchange/ImportedFields.h"
#include "waypoints/exchange/WaypointFiles.h"
#include "waypoints/exchange/XmlWaypointReader.h"

namespace tarvik::waypoints::exchange {
namespace {

using platform::XmlAttribute;

// A document as a reader reports it. Every element starts on a line of its
// own, so the n-th element opened stands on line n.
class Document {
 public:
  Document& Open(std::string name, std::vector<XmlAttribute> attributes = {}) {
    events_.push_back({Event::Start, std::move(name), "", std::move(attributes)});
    return *this;
  }
  Document& Text(std::string text) {
    events_.push_back({Event::Text, "", std::move(text), {}});
    return *this;
  }
  Document& Close(std::string name) {
    events_.push_back({Event::End, std::move(name), "", {}});
    return *this;
  }
  Document& Leaf(std::string name, std::string text) { return Open(name).Text(text).Close(name); }

  ImportOutcome Read() const {
    XmlWaypointReader reader;
    int line = 0;
    delivered_ = 0;
    for (const auto& event : events_) {
      ++delivered_;
      bool go = event.kind == Event::Start
                    ? reader.StartElement(event.name, event.attributes, ++line)
                : event.kind == Event::Text ? reader.Text(event.text)
                                            : reader.EndElement(event.name);
      if (!go) return reader.Outcome({platform::XmlProblem::Stopped, line});
    }
    return reader.Outcome({});
  }
  size_t Events() const { return events_.size(); }
  size_t EventsRead() const { return delivered_; }

 private:
  struct Event {
    enum Kind { Start, Text, End } kind;
    std::string name;
    std::string text;
    std::vector<XmlAttribute> attributes;
  };
  std::vector<Event> events_;
  mutable size_t delivered_ = 0;
};

struct Row {
  std::string name;
  std::string latitude;
  std::string longitude;
  int line;
  bool operator==(const Row&) const = default;
};

std::vector<Row> RowsOf(const ImportOutcome& outcome) {
  EXPECT_FALSE(outcome.refusal) << outcome.refusal->reason;
  std::vector<Row> rows;
  for (const auto& w : outcome.batch.waypoints) {
    rows.push_back({w.waypoint.Name, w.waypoint.Latitude, w.waypoint.Longitude, w.line});
  }
  return rows;
}

std::vector<std::pair<SkipReason, int>> SkippedOf(const ImportOutcome& outcome) {
  std::vector<std::pair<SkipReason, int>> skipped;
  for (const auto& s : outcome.batch.skipped) skipped.emplace_back(s.reason, s.line);
  return skipped;
}

void Placemark(Document& document, const std::string& name, const char* geometry,
               const std::string& coordinates) {
  document.Open("Placemark").Leaf("name", name).Open(geometry).Leaf("coordinates", coordinates);
  document.Close(geometry).Close("Placemark");
}

TEST(KmlMapping, PlacemarksInFoldersGivePointsAndLineVertices) {
  Document kml;
  kml.Open("kml").Open("Document").Leaf("name", "Route");                       // 1-3
  kml.Open("Folder").Leaf("name", "Stations");                                  // 4-5
  Placemark(kml, "  West\n\tYard ", "Point", " -113.2,48.1,0 ");                // 6-9
  kml.Open("Folder");                                                           // 10
  Placemark(kml, "Spur", "LineString", "8.5,47.3,400\n 8.6 , 47.4  8.7,47.5");  // 11-14
  kml.Open("Placemark")
      .Leaf("name", "Area")
      .Open("Polygon")
      .Close("Polygon")
      .Close("Placemark");                                                    // 15-17
  Placemark(kml, "", "Point", "1,2");                                         // 18-21
  Placemark(kml, "Far", "Point", "181,2");                                    // 22-25
  kml.Open("Placemark").Leaf("name", "Both").Open("MultiGeometry");           // 26-28
  kml.Open("Point").Leaf("coordinates", "3,4").Close("Point");                // 29-30
  kml.Open("LineString").Leaf("coordinates", "5,6 7,x").Close("LineString");  // 31-32
  kml.Close("MultiGeometry").Close("Placemark");
  kml.Close("Folder").Close("Folder").Close("Document").Close("kml");

  ImportOutcome outcome = kml.Read();
  EXPECT_EQ(RowsOf(outcome), (std::vector<Row>{{"West Yard", "48.1", "-113.2", 9},
                                               {"Spur 1", "47.3", "8.5", 14},
                                               {"Spur 2", "47.4", "8.6", 14},
                                               {"Spur 3", "47.5", "8.7", 14},
                                               {"WP 5", "2", "1", 21},
                                               {"Both", "4", "3", 30},
                                               {"Both 1", "6", "5", 32}}));
  EXPECT_EQ(SkippedOf(outcome),
            (std::vector<std::pair<SkipReason, int>>{{SkipReason::NoPointOrLine, 15},
                                                     {SkipReason::NotAPosition, 25},
                                                     {SkipReason::NotAPosition, 32}}));
}

TEST(GpxMapping, WaypointsRoutePointsAndTrackPointsNumberedThroughTheTrack) {
  auto at = [](const char* lat, const char* lon) {
    return std::vector<XmlAttribute>{{"lat", lat}, {"lon", lon}};
  };
  Document gpx;
  gpx.Open("gpx", {{"version", "1.1"}}).Leaf("name", "File name");               // 1-2
  gpx.Open("wpt", at("48.1", "-113.2")).Leaf("name", "West Yard").Close("wpt");  // 3-4
  gpx.Open("wpt", at("95", "1")).Close("wpt");                                   // 5
  gpx.Open("rte").Leaf("name", "Route");                                         // 6-7
  gpx.Open("rtept", at("1", "2")).Leaf("name", "Turn").Close("rtept");           // 8-9
  gpx.Open("rtept", at("3", "4"))
      .Open("extensions")
      .Leaf("name", "x")
      .Close("extensions")
      .Close("rtept");  // 10-12
  gpx.Close("rte");
  gpx.Open("trk").Leaf("name", "Climb").Open("trkseg");                    // 13-15
  gpx.Open("trkpt", at("5", "6")).Leaf("name", "ignored").Close("trkpt");  // 16-17
  gpx.Close("trkseg").Open("trkseg");                                      // 18
  gpx.Open("trkpt", at("7.0000001", "8")).Close("trkpt");                  // 19
  gpx.Close("trkseg").Close("trk");
  gpx.Open("trk").Open("trkseg").Open("trkpt", {{"lon", "9"}}).Close("trkpt");    // 20-22
  gpx.Open("trkpt", at("10", "11")).Close("trkpt").Close("trkseg").Close("trk");  // 23
  gpx.Close("gpx");

  ImportOutcome outcome = gpx.Read();
  EXPECT_EQ(RowsOf(outcome), (std::vector<Row>{{"West Yard", "48.1", "-113.2", 3},
                                               {"Turn", "1", "2", 8},
                                               {"WP 4", "3", "4", 10},
                                               {"Climb 1", "5", "6", 16},
                                               {"Climb 2", "7", "8", 19},
                                               {"WP 7 2", "10", "11", 23}}));
  EXPECT_EQ(SkippedOf(outcome),
            (std::vector<std::pair<SkipReason, int>>{{SkipReason::NotAPosition, 5},
                                                     {SkipReason::NotAPosition, 22}}));
}

TEST(KmlMapping, TrackCoordsBecomeNumberedWaypointsAndEmptyOnesAreCounted) {
  Document kml;
  kml.Open("kml").Open("Placemark").Leaf("name", "Walk").Open("Track");  // 1-4
  kml.Leaf("when", "2024-05-01T10:00:00Z").Leaf("coord", "8.5 47.3 400");   // 5-6
  kml.Leaf("coord", " \n ").Leaf("coord", "8.6\t47.4").Leaf("coord", "8.7 north");  // 7-9
  kml.Leaf("coord", "8.8 47.6 1 2").Close("Track").Close("Placemark");      // 10
  kml.Open("Placemark").Leaf("name", "Ride").Open("MultiTrack");           // 11-13
  kml.Open("Track").Leaf("coord", "1 2").Close("Track");                   // 14-15
  kml.Open("Track").Leaf("coord", "3 4").Leaf("coord", "").Close("Track");  // 16-18
  kml.Close("MultiTrack").Close("Placemark").Close("kml");

  ImportOutcome outcome = kml.Read();
  EXPECT_EQ(RowsOf(outcome), (std::vector<Row>{{"Walk 1", "47.3", "8.5", 6},
                                               {"Walk 2", "47.4", "8.6", 8},
                                               {"Ride 1", "2", "1", 15},
                                               {"Ride 2", "4", "3", 17}}));
  EXPECT_EQ(SkippedOf(outcome),
            (std::vector<std::pair<SkipReason, int>>{{SkipReason::EmptyTrackPoint, 7},
                                                     {SkipReason::NotAPosition, 9},
                                                     {SkipReason::NotAPosition, 10},
                                                     {SkipReason::EmptyTrackPoint, 18}}));
  EXPECT_EQ(ImportSummary(PlanImport(outcome.batch, {})),
            "Added 4 waypoints.\nSkipped 4:\n2 without a valid latitude and longitude (lines 9, "
            "10)\n2 track points without coordinates (lines 7, 18)");
}

// However many points a track, line or route has, the list's name order is
// the file's order: numbers get leading zeros to the width of the largest.
TEST(ImportNumbering, NamesSortInTheOrderOfTheTrackForEveryLength) {
  for (int count : {1, 9, 10, 11, 100, 1234}) {
    std::string coordinates;
    Document kml;
    kml.Open("kml").Open("Placemark").Leaf("name", "Survey 7").Open("Point");
    kml.Leaf("coordinates", "1,1").Close("Point").Close("Placemark");
    kml.Open("Placemark").Leaf("name", "Survey").Open("Track");
    Document gpx;
    gpx.Open("gpx").Open("trk").Leaf("name", "Survey").Open("trkseg");
    for (int i = 0; i < count; ++i) {
      std::string lat = std::to_string(i % 80), lon = std::to_string(i / 80);
      kml.Leaf("coord", lon + " " + lat);
      gpx.Open("trkpt", {{"lat", lat}, {"lon", lon}}).Close("trkpt");
    }
    kml.Close("Track").Close("Placemark").Close("kml");
    gpx.Close("trkseg").Close("trk").Close("gpx");
    for (const Document* document : {&kml, &gpx}) {
      std::vector<Row> rows = RowsOf(document->Read());
      if (document == &kml) {
        ASSERT_EQ(rows.front().name, "Survey 7") << "a name from the file is kept";
        rows.erase(rows.begin());
      }
      ASSERT_EQ(rows.size(), static_cast<size_t>(count));
      const size_t width = std::to_string(count).size();
      for (size_t i = 0; i < rows.size(); ++i) {
        EXPECT_EQ(rows[i].name.size(), std::string("Survey ").size() + width) << rows[i].name;
        if (i > 0) {
          EXPECT_LT(rows[i - 1].name, rows[i].name);
        }
      }
      EXPECT_EQ(rows.back().name, "Survey " + std::to_string(count));
    }
  }
}

// Counted as they come: the reading stops at the first point over the
// limit, in a track's coords before its placemark ends as in a GPX track.
TEST(XmlWaypointReader, AFileWithMorePointsThanTheLimitIsRefusedAsTheyCome) {
  for (int extra : {0, 1}) {
    const int count = kMaxImportedPoints + extra;
    Document kml;
    kml.Open("kml").Open("Placemark").Leaf("name", "Survey").Open("Track");
    for (int i = 0; i < count; ++i) kml.Leaf("coord", i % 7 ? "1 2" : "");
    kml.Close("Track").Close("Placemark").Close("kml");
    Document gpx;
    gpx.Open("gpx").Open("trk").Open("trkseg");
    for (int i = 0; i < count; ++i) gpx.Open("trkpt", {{"lat", "1"}, {"lon", "x"}}).Close("trkpt");
    gpx.Close("trkseg").Close("trk").Close("gpx");
    for (const Document* document : {&kml, &gpx}) {
      ImportOutcome outcome = document->Read();
      if (extra == 0) {
        EXPECT_FALSE(outcome.refusal);
        EXPECT_EQ(outcome.batch.waypoints.size() + outcome.batch.skipped.size(),
                  static_cast<size_t>(count));
      } else {
        ASSERT_TRUE(outcome.refusal);
        EXPECT_EQ(outcome.refusal->reason,
                  "it holds more than 100000 waypoints and track points, more than Tarvik imports "
                  "from one file");
        EXPECT_EQ(document->EventsRead(), document->Events() - (document == &kml ? 5 : 3))
            << "stopped at the point over the limit";
      }
    }
  }
}

TEST(WaypointFiles, AKmzGivesTheWaypointsOfItsKmlReadFromMemory) {
  platform::memory::MemoryFiles files;
  platform::memory::MemoryXmlDocuments xml(files);
  auto writer = xml.NewWriter();
  writer->StartElement("kml");
  writer->StartElement("Placemark");
  writer->StartElement("name");
  writer->Text("Belton");
  writer->EndElement();
  writer->StartElement("Point");
  writer->StartElement("coordinates");
  writer->Text("-114,48.5");
  for (int i = 0; i < 4; ++i) writer->EndElement();
  auto document = writer->Finish();
  ASSERT_TRUE(document);
  std::string kml(document->begin(), document->end());
  auto put = [&](const char* path, const std::string& bytes) {
    files.Put(path, platform::Bytes(bytes.begin(), bytes.end()));
  };
  put("C:\\route.kmz", tests::MakeZip({{"files/pic.png", "png"}, {"doc.kml", kml}}));
  put("C:\\cut.kmz", tests::MakeZip({{"doc.kml", kml.substr(0, kml.size() - 2)}}));
  put("C:\\damaged.kmz", tests::MakeZip({{"doc.kml", kml, true, {}, {}, {}, 1234}}));
  ImportOutcome outcome = ReadWaypointFile("C:\\route.kmz", files, xml);
  // Line 8 of the memory document: its coordinates.
  EXPECT_EQ(RowsOf(outcome), (std::vector<Row>{{"Belton", "48.5", "-114", 8}}));
  EXPECT_EQ(ReadWaypointFile("C:\\cut.kmz", files, xml).refusal->reason, "it ends too early");
  EXPECT_EQ(ReadWaypointFile("C:\\damaged.kmz", files, xml).refusal->reason,
            "its zip archive is damaged");
}

TEST(XmlWaypointReader, OtherDocumentsAndReaderProblemsAreRefusedWithTheirReason) {
  Document html;
  html.Open("html").Leaf("body", "x").Close("html");
  EXPECT_EQ(html.Read().refusal->reason, "it is neither KML nor GPX (its first element is <html>)");

  using platform::XmlProblem;
  struct ProblemCase {
    platform::XmlReadResult read;
    const char* reason;
  };
  const ProblemCase cases[] = {
      {{XmlProblem::DocumentType, 2, 3},
       "it holds a document type declaration (DTD), which is not accepted (line 2)"},
      {{XmlProblem::Malformed, 7, 12}, "it is not well-formed XML (line 7, column 12)"},
      {{XmlProblem::Encoding, 4, 1}, "its bytes are not text in its encoding (line 4)"},
      {{XmlProblem::TextTooLong, 3, 1},
       "it holds a text of more than 16777216 characters (line 3)"},
      {{XmlProblem::TooLarge}, "it is larger than 256 MB"},
      {{XmlProblem::EndsEarly, 9, 0}, "it ends too early"},
      {{XmlProblem::TooManyNodes, 9, 0},
       "it holds more than 2000000 XML nodes (tags, texts and comments), more than Tarvik reads "
       "in a few seconds"},
      {{XmlProblem::AttributeTooLong, 5, 0},
       "it holds an attribute of more than 1048576 characters (line 5)"},
      {{XmlProblem::UnknownEncoding, 1, 0, "Shift_JIS"},
       "it is written in Shift_JIS, an encoding Tarvik does not read (it reads UTF-8, UTF-16, "
       "ISO-8859-1 and Windows-1252)"},
      {{XmlProblem::NotFound}, "the file is not there"},
      {{XmlProblem::Unreadable}, "the file cannot be read"},
  };
  for (const auto& c : cases) {
    XmlWaypointReader reader;
    ImportOutcome outcome = reader.Outcome(c.read);
    ASSERT_TRUE(outcome.refusal);
    EXPECT_EQ(outcome.refusal->reason, c.reason);
  }
}

// Rows as an import makes them, with names in many scripts and the
// characters each format has to escape.
std::vector<std::string> GeneratedRows(unsigned seed, int count) {
  const std::vector<std::string> pieces = {"Z\xC3\xBCrich",
                                           "\xE6\x9D\xB1\xE4\xBA\xAC",
                                           "\xD0\x9C\xD0\xBE\xD1\x81\xD0\xBA\xD0\xB2\xD0\xB0",
                                           "\xF0\x9F\x9A\x82",
                                           "A&B",
                                           "<x>",
                                           "\xE2\x80\x9Cq\xE2\x80\x9D",
                                           "it's",
                                           "a,b;c",
                                           "e\xCC\x81",
                                           "Gare",
                                           "1"};
  std::mt19937 random(seed);
  auto pick = [&](int n) { return static_cast<int>(random() % static_cast<unsigned>(n)); };
  auto degrees = [&](int limit) {
    long micro = static_cast<long>(random() % (2u * static_cast<unsigned>(limit) * 1000000u + 1)) -
                 static_cast<long>(limit) * 1000000;
    return *CoordinateText(static_cast<double>(micro) / 1e6);
  };
  std::vector<std::string> rows;
  for (int i = 0; i < count; ++i) {
    std::string name;
    for (int words = 1 + pick(3); words > 0; --words) {
      if (!name.empty()) name += ' ';
      name += pieces[static_cast<size_t>(pick(static_cast<int>(pieces.size())))];
    }
    rows.push_back(JoinRow({name + " " + std::to_string(i), degrees(90), degrees(180), "2"}));
  }
  return rows;
}

TEST(ExportThenImport, GivesBackTheSameRowsInEveryFormat) {
  platform::memory::MemoryFiles files;
  platform::memory::MemoryXmlDocuments xml(files);
  for (unsigned seed = 1; seed <= 5; ++seed) {
    std::vector<std::string> rows = GeneratedRows(seed, 40);
    ExportPlan plan = PlanExport(rows);
    ASSERT_TRUE(plan.left_out.empty());
    for (auto [format, path] : {std::pair{ExportFormat::Kml, "C:\\out.kml"},
                                {ExportFormat::Gpx, "C:\\out.gpx"},
                                {ExportFormat::Csv, "C:\\out.csv"}}) {
      auto bytes = ExportBytes(format, plan.waypoints, xml);
      ASSERT_TRUE(bytes.has_value()) << path;
      files.Put(path, *bytes);
      ImportOutcome outcome = ReadWaypointFile(path, files, xml);
      ASSERT_FALSE(outcome.refusal) << path << ": " << outcome.refusal->reason;
      EXPECT_EQ(PlanImport(outcome.batch, {}).rows, rows) << path << " seed " << seed;
      EXPECT_TRUE(outcome.batch.skipped.empty()) << path;
    }
  }
}

TEST(ExportPlan, RowsWithoutAValidPositionAreLeftOutAndExponentsWrittenOut) {
  ExportPlan plan =
      PlanExport({"A\t4.5E1\t-1e0\t2", "B\t91\t1\t2", "C\tx\t1\t", "D\t+1.50\t.5\t7"});
  ASSERT_EQ(plan.waypoints.size(), 2u);
  EXPECT_EQ(plan.waypoints[0], (Waypoint{"A", "45", "-1", ""}));
  EXPECT_EQ(plan.waypoints[1], (Waypoint{"D", "+1.50", ".5", ""}))
      << "plain decimals stay as typed";
  EXPECT_EQ(plan.left_out, (std::vector<std::string>{"B", "C"}));
  EXPECT_EQ(LeftOutText(plan),
            "Exported 2 waypoints.\nLeft out 2 waypoints whose latitude or longitude is not a "
            "valid number:\nB\nC");
}

TEST(WaypointFiles, KindsComeFromTheNameOrTheFirstBytes) {
  platform::memory::MemoryFiles files;
  platform::memory::MemoryXmlDocuments xml(files);
  auto put = [&](const char* path, std::string text) {
    files.Put(path, platform::Bytes(text.begin(), text.end()));
  };
  put("C:\\a.kmz", "anything");
  put("C:\\zipped.kml", std::string("PK\x03\x04rest", 8));
  put("C:\\table.txt", "name,lat,lon\nA,1,2\n");
  put("C:\\doc.txt", "\xEF\xBB\xBF  <kml/>");
  put("C:\\wrong.gpx", "name,lat,lon\n");
  // Named KMZ but no zip at all, and a zip archive cut before its directory.
  EXPECT_EQ(ReadWaypointFile("C:\\a.kmz", files, xml).refusal->reason,
            "it is not a zip archive, as a KMZ file is");
  EXPECT_EQ(ReadWaypointFile("C:\\zipped.kml", files, xml).refusal->reason, "it ends too early");
  EXPECT_EQ(ReadWaypointFile("C:\\missing.csv", files, xml).refusal->reason,
            "the file is not there");
  EXPECT_EQ(ReadWaypointFile("C:\\table.txt", files, xml).batch.waypoints.size(), 1u);
  // The memory reader stands for XML here: what it cannot read went to it.
  EXPECT_EQ(ReadWaypointFile("C:\\doc.txt", files, xml).refusal->reason,
            "it is not well-formed XML (line 1, column 1)");
  EXPECT_EQ(ReadWaypointFile("C:\\wrong.gpx", files, xml).refusal->reason,
            "it is not well-formed XML (line 1, column 1)");
}

}  // namespace
}  // namespace tarvik::waypoints::exchange
