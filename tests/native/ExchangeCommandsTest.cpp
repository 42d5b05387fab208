#include <gtest/gtest.h>

#include "tests/native/MainWindowFixture.h"
#include "waypoints/exchange/CsvWaypoints.h"

namespace tarvik::app {
namespace {

using platform::Answer;
using platform::FileStatus;
using Kind = ScriptedMessageBoxes::Kind;

platform::Bytes BytesOf(const std::string& text) {
  return platform::Bytes(text.begin(), text.end());
}

class ExchangeTest : public MainWindowTest {
 protected:
  ExchangeTest() { Load(); }

  void Import(const std::string& path) {
    dialogs.ScriptChoice(path);
    window.Menu("Menu_FileImport").Choose();
  }
  void Export(const std::string& path) {
    dialogs.ScriptChoice(path);
    window.Menu("Menu_FileExport").Choose();
  }
  const std::vector<std::string>& Entire() { return List("List_Entire").Items(); }
};

TEST_F(ExchangeTest, ImportAddsTheFilesWaypointsInOrderAndSaysWhatItSkipped) {
  AddWaypoint("Belton", "48.5", "-114");
  files.Put("C:\\Routes\\stations.csv",
            BytesOf("name;lat;lon\nsummit;48,3162;-113,3486\nBelton;48.5;-114\n"
                    "Belton;48.5;-114.0\nFar;95;1\nAbbey;1;2\n"));
  Import("C:\\Routes\\stations.csv");

  EXPECT_EQ(Entire(), (std::vector<std::string>{"Abbey\t1\t2\t2", "Belton\t48.5\t-114\t2",
                                                "summit\t48.3162\t-113.3486\t2"}));
  EXPECT_TRUE(form->Document().IsDirty);
  EXPECT_EQ(window.Caption(), "untitled") << "the document keeps its name";
  EXPECT_EQ(LastMessage().kind, Kind::Information);
  EXPECT_EQ(LastMessage().title, "Import");
  EXPECT_EQ(LastMessage().text,
            "Added 2 waypoints.\nSkipped 3:\n1 without a valid latitude and longitude (line 5)\n"
            "2 already in the list (lines 3, 4)\n"
            "Latitude from column lat, longitude from lon, names from name.");
  const auto& shown = dialogs.History().back();
  EXPECT_FALSE(shown.save);
  EXPECT_EQ(shown.options.filter,
            "Waypoint files (*.kml;*.kmz;*.gpx;*.csv)|*.kml;*.kmz;*.gpx;*.csv|"
            "KML files (*.kml;*.kmz)|*.kml;*.kmz|"
            "GPX files (*.gpx)|*.gpx|CSV files (*.csv)|*.csv|All files (*.*)|*.*");
}

TEST_F(ExchangeTest, AFileThatCannotBeImportedWarnsOnceAndAddsNothing) {
  AddWaypoint("Belton", "48.5", "-114");
  form->Document().IsDirty = false;
  files.Put("C:\\a.kml", BytesOf("<kml>"));
  xml.FailReading("C:\\a.kml", {platform::XmlProblem::DocumentType, 2, 1});
  const size_t before = messages.History().size();
  Import("C:\\a.kml");
  ASSERT_EQ(messages.History().size(), before + 1);
  EXPECT_EQ(LastMessage().kind, Kind::Warning);
  EXPECT_EQ(LastMessage().title, "Tarvik");
  EXPECT_EQ(LastMessage().text,
            "C:\\a.kml\rcould not be imported: it holds a document type declaration (DTD), which "
            "is not accepted (line 2).");
  EXPECT_EQ(Entire(), std::vector<std::string>{"Belton\t48.5\t-114\t2"});
  EXPECT_FALSE(form->Document().IsDirty);

  dialogs.ScriptChoice(std::nullopt);
  window.Menu("Menu_FileImport").Choose();
  EXPECT_EQ(messages.History().size(), before + 1) << "cancelling is silent";
}

TEST_F(ExchangeTest, AnImportThatAddsNothingLeavesTheListUnchanged) {
  files.Put("C:\\empty.csv", BytesOf("lat,lon\n"));
  Import("C:\\empty.csv");
  EXPECT_EQ(LastMessage().text,
            "The file holds no waypoints.\nLatitude from column lat, longitude from lon.");
  EXPECT_FALSE(form->Document().IsDirty);
}

TEST_F(ExchangeTest, ExportWritesTheListInTheFormatOfTheChosenName) {
  AddWaypoint("West Yard", "48.1", "-113.2");
  AddWaypoint("Mile 12, east", "4.5E1", "8");
  files.Put("C:\\Routes\\pass.mkr", {});
  const size_t before = messages.History().size();
  Export("C:\\Routes\\pass.csv");
  EXPECT_EQ(messages.History().size(), before) << "a full export says nothing";
  EXPECT_EQ(files.Get("C:\\Routes\\pass.csv"),
            BytesOf("\xEF\xBB\xBFname,latitude,longitude\r\n\"Mile 12, east\",45,8\r\n"
                    "West Yard,48.1,-113.2\r\n"));
  const auto& shown = dialogs.History().back();
  EXPECT_TRUE(shown.save);
  EXPECT_EQ(shown.options.filter,
            "KML files (*.kml)|*.kml|GPX files (*.gpx)|*.gpx|CSV files (*.csv)|*.csv");
  EXPECT_EQ(shown.options.default_extension, "kml");
  EXPECT_EQ(shown.options.initial_name, "untitled");
  EXPECT_TRUE(form->Document().IsDirty) << "exporting saves nothing";

  Export("C:\\Routes\\pass.gpx");
  EXPECT_EQ(dialogs.History().back().options.initial_name, "C:\\Routes\\pass");
  EXPECT_TRUE(files.Get("C:\\Routes\\pass.gpx").has_value());
}

TEST_F(ExchangeTest, ReplacingAFileAsksFirstAndNeverLosesTheOldOneWhicheverStepFails) {
  AddWaypoint("West Yard", "48.1", "-113.2");
  const std::string path = "C:\\out.kml";
  const std::string saving = path + ".saving";
  const platform::Bytes old_bytes = BytesOf("old");
  files.Put(path, old_bytes);

  messages.ScriptAnswer(Answer::No);
  Export(path);
  EXPECT_EQ(LastMessage().text, "Overwrite C:\\out.kml?");
  EXPECT_EQ(files.Get(path), old_bytes);

  // Each step of the write fails once in turn, the leftover of an earlier
  // cut-short write being there to clear away.
  for (int step = 1;; ++step) {
    SCOPED_TRACE("step " + std::to_string(step));
    files.Put(path, old_bytes);
    files.Put(saving, BytesOf("left over"));
    files.AfterEachChange([&] {
      auto now = files.Get(path);
      EXPECT_TRUE(now == old_bytes || (now && now->size() > old_bytes.size()))
          << "the old file or the whole new one is in place at every moment";
    });
    files.FailNth(step, FileStatus::Failed);
    messages.ScriptAnswer(Answer::Yes);
    const size_t shown = messages.History().size();
    Export(path);
    files.AfterEachChange(nullptr);

    EXPECT_FALSE(files.Exists(saving));
    EXPECT_FALSE(files.Exists("C:\\out.bak")) << "an export keeps no backup";
    if (!files.NthFailed()) {
      EXPECT_EQ(messages.History().size(), shown + 1) << "only the question";
      EXPECT_NE(files.Get(path), old_bytes);
      files.FailNth(0, FileStatus::Ok);
      break;
    }
    EXPECT_EQ(files.Get(path), old_bytes);
    EXPECT_EQ(LastMessage().kind, Kind::Warning);
    EXPECT_EQ(LastMessage().text,
              "C:\\out.kml\rcould not be saved: the disk may be full or unavailable.");
  }

  files.MakeReadOnly(path);
  messages.ScriptAnswer(Answer::Yes);
  Export(path);
  EXPECT_EQ(LastMessage().text,
            "C:\\out.kml\rcould not be saved: the file is read-only or in use.");
  EXPECT_FALSE(files.Exists(saving));

  Export("C:\\out.txt");
  EXPECT_EQ(LastMessage().text,
            "C:\\out.txt\rcould not be saved: its name must end in .kml, .gpx or .csv.");
  EXPECT_FALSE(files.Get("C:\\out.txt").has_value());
}

TEST_F(ExchangeTest, RowsFromAMarkerFileThatAreNoPositionAreLeftOutAndNamed) {
  const std::vector<std::string_view> rows = {"Bad\tnorth\t1\t2", "Good\t1\t2\t2"};
  form->EntireList().SetItems(rows);
  Export("C:\\out.csv");
  EXPECT_EQ(LastMessage().title, "Export");
  EXPECT_EQ(LastMessage().text,
            "Exported 1 waypoint.\nLeft out 1 waypoint whose latitude or longitude is not a valid "
            "number:\nBad");
  platform::Bytes written = files.Get("C:\\out.csv").value_or(platform::Bytes{});
  auto taken = waypoints::exchange::ReadCsvWaypoints(std::string(written.begin(), written.end()));
  ASSERT_EQ(taken.batch.waypoints.size(), 1u);
  EXPECT_EQ(taken.batch.waypoints[0].waypoint.Name, "Good");
}

TEST_F(ExchangeTest, PastingAPositionFillsBothCoordinateBoxes) {
  auto& latitude = Control("Text_Latitude");
  auto& longitude = Control("Text_Longitude");
  auto& name = Control("Text_Waypoint");
  name.Type("Summit");
  latitude.Paste("48\u00B018'58.3\"N 113\u00B020'55\"W");
  EXPECT_EQ(latitude.Caption(), "48.316194");
  EXPECT_EQ(longitude.Caption(), "-113.348611");
  EXPECT_EQ(name.Caption(), "Summit");

  longitude.Paste("https://www.openstreetmap.org/#map=15/47.37819/8.54019");
  EXPECT_EQ(latitude.Caption(), "47.37819");
  EXPECT_EQ(longitude.Caption(), "8.54019");

  latitude.Type("4");
  latitude.Paste("7.5");
  EXPECT_EQ(latitude.Caption(), "47.5") << "one number pastes as the box pastes it";

  name.Paste("47.1, 8.2");
  EXPECT_EQ(name.Caption(), "Summit");
  EXPECT_EQ(latitude.Caption(), "47.1");
  EXPECT_EQ(longitude.Caption(), "8.2");
  name.Paste(" @47.3,8.5,15z");
  EXPECT_EQ(name.Caption(), "Summit @47.3,8.5,15z") << "an address is a name's text";
  EXPECT_EQ(latitude.Caption(), "47.1");
}

}  // namespace
}  // namespace tarvik::app
