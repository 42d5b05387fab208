#include <windows.h>

#include <dlgs.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "ControlReader.h"
#include "FileDialog.h"
#include "MessageBoxReader.h"
#include "RealInput.h"
#include "WaypointWindow.h"
#include "WindowSearch.h"
#include "tests/support/TestZip.h"

namespace tarvik::e2e {
namespace {

using std::filesystem::path;

constexpr milliseconds kDialogLimit{5000};
// Reading a 100 MB text under Wine takes a few seconds.
constexpr milliseconds kImportLimit{30000};

const TypedWaypoint kZurich{L"Z\u00FCrich HB & <S\u00FCd>", L"47.37819", L"8.54019"};

struct ShownBox {
  std::wstring title;
  std::wstring text;
  bool icon = false;
  milliseconds waited{};  // from the dialog's Open to the box
};

// Puts text on the clipboard as a program the user copies from does.
class ClipboardOwner {
 public:
  ClipboardOwner()
      : window_(CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr,
                                nullptr)) {}
  ~ClipboardOwner() { DestroyWindow(window_); }
  ClipboardOwner(const ClipboardOwner&) = delete;
  ClipboardOwner& operator=(const ClipboardOwner&) = delete;

  bool Put(const std::wstring& text) {
    if (!window_ || !OpenClipboard(window_)) return false;
    EmptyClipboard();
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, (text.size() + 1) * sizeof(wchar_t));
    bool put = false;
    if (auto* target = static_cast<wchar_t*>(GlobalLock(memory))) {
      std::copy(text.c_str(), text.c_str() + text.size() + 1, target);
      GlobalUnlock(memory);
      put = SetClipboardData(CF_UNICODETEXT, memory) != nullptr;
    }
    if (!put) GlobalFree(memory);
    CloseClipboard();
    return put;
  }

 private:
  HWND window_;
};

class WaypointExchange : public WaypointWindowTest {
 protected:
  path WriteFile(const wchar_t* name, const std::string& bytes) {
    path file = folder_.Path() / name;
    EXPECT_TRUE(WriteFileBytes(file, bytes)) << file.wstring();
    return file;
  }

  // Import through the program's own dialog; returns the one message box the
  // command ends with, after pressing its OK.
  ShownBox ImportThroughDialog(const path& file, milliseconds box_limit = kImportLimit) {
    ShownBox shown;
    EXPECT_TRUE(PostMenuCommand(main_, MainMenuId("Menu_FileImport")));
    HWND dialog = WaitForFileDialog(process_->Id(), kDialogLimit);
    if (!dialog) {
      ADD_FAILURE() << "no file dialog after Import" << MessageBoxesUp();
      return shown;
    }
    EXPECT_EQ(StoredTextOf(dialog), L"Open");
    const auto opened = Clock::now();
    EXPECT_TRUE(EnterFileName(dialog, file.wstring()));
    EXPECT_TRUE(WaitUntilGoneOrHidden(dialog, kWindowLimit)) << "the dialog stayed open";
    HWND box = WaitForMessageBox(process_->Id(), box_limit);
    if (!box) {
      ADD_FAILURE() << "no message within " << box_limit.count() << " ms after importing "
                    << file.wstring();
      return shown;
    }
    shown.waited = Since(opened);
    // The icon is read by asking the box, which a loaded machine may be slow to answer.
    EXPECT_TRUE(AskWithin(kWindowLimit, box, WM_NULL).has_value());
    shown = {StoredTextOf(box), MessageTextOf(box), HasIcon(box), shown.waited};
    EXPECT_EQ(VisibleButtonsOf(box), std::vector<std::wstring>{L"OK"});
    EXPECT_TRUE(Click(ButtonOf(box, L"OK")));
    EXPECT_TRUE(WaitUntilGoneOrHidden(box, kWindowLimit));
    return shown;
  }

  void ExpectSummary(const path& file, const std::wstring& summary) {
    ShownBox shown = ImportThroughDialog(file);
    EXPECT_EQ(shown.title, L"Import") << file.wstring();
    EXPECT_EQ(shown.text, summary) << file.wstring();
    EXPECT_FALSE(shown.icon) << "an information box";
  }

  // Export through the program's own dialog; `file_type` is the filter's
  // place in the dialog's list; `overwrite` answers the question it expects.
  void ExportThroughDialog(const std::wstring& typed, int file_type, bool overwrite = false) {
    ASSERT_TRUE(PostMenuCommand(main_, MainMenuId("Menu_FileExport")));
    HWND dialog = WaitForFileDialog(process_->Id(), kDialogLimit);
    ASSERT_NE(dialog, nullptr) << "no file dialog after Export" << MessageBoxesUp();
    EXPECT_EQ(StoredTextOf(dialog), L"Save As");
    HWND types = GetDlgItem(dialog, cmb1);
    ASSERT_NE(types, nullptr);
    ASSERT_TRUE(Ask(types, CB_SETCURSEL, static_cast<WPARAM>(file_type)).has_value());
    // What a choice in the list tells the dialog.
    for (WORD code : {CBN_SELCHANGE, CBN_SELENDOK}) {
      ASSERT_TRUE(Ask(dialog, WM_COMMAND, MAKEWPARAM(cmb1, code), reinterpret_cast<LPARAM>(types))
                      .has_value());
    }
    ASSERT_TRUE(EnterFileName(dialog, typed));
    ASSERT_TRUE(WaitUntilGoneOrHidden(dialog, kWindowLimit)) << "the dialog stayed open";
    if (overwrite) {
      HWND box = WaitForMessageBox(process_->Id(), kWindowLimit);
      ASSERT_NE(box, nullptr) << "no Overwrite question";
      EXPECT_TRUE(MessageTextOf(box).starts_with(L"Overwrite ")) << MessageTextOf(box);
      ASSERT_TRUE(PostMessageW(box, WM_COMMAND, IDYES, 0));
      ASSERT_TRUE(WaitUntilGoneOrHidden(box, kWindowLimit));
    }
    ASSERT_TRUE(AskWithin(kImportLimit, main_, WM_NULL).has_value());
    ASSERT_NO_FATAL_FAILURE(ExpectNoMessageBox());
  }

  std::vector<std::wstring> Entire() {
    return Rows("List_Entire").value_or(std::vector<std::wstring>{L"?"});
  }
};

TEST_F(WaypointExchange, ImportsKmlGpxAndCsvThroughTheDialogAndSaysWhatItSkipped) {
  const path kml = WriteFile(L"glacier.kml",
                             "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"                // 1
                             "<kml xmlns=\"http://www.opengis.net/kml/2.2\"><Document>\n"  // 2
                             "<name>Glacier line</name>\n"                                 // 3
                             "<Folder><name>Stations</name>\n"                             // 4
                             "  <Placemark><name>Belton</name>\n"                          // 5
                             "    <Point><coordinates>-114,48.5,0</coordinates></Point>\n"
                             "  </Placemark>\n"
                             "  <Folder><Placemark><name>Summit\n\tTunnel</name>\n"  // 8-9
                             "    <Point><coordinates>-113.3486,48.3162</coordinates></Point>"
                             "</Placemark></Folder>\n"
                             "</Folder>\n"
                             "<Placemark><name>Spur</name><LineString><coordinates>\n"  // 12
                             "  -113.34,48.31,0 -113.35,48.32,0\n  -113.36,48.33,0\n"
                             "</coordinates></LineString></Placemark>\n"
                             "<Placemark><name>Nowhere</name></Placemark>\n"  // 16
                             "</Document></kml>\n");
  const path gpx =
      WriteFile(L"pass.gpx",
                "<?xml version=\"1.0\"?>\n"
                "<gpx version=\"1.0\" creator=\"a GPS\" "
                "xmlns=\"http://www.topografix.com/GPX/1/0\">\n"
                "<wpt lat=\"48.4959\" lon=\"-113.3541\"><name>Glacier Park</name></wpt>\n"
                "<rte><name>Pass</name>\n"
                "<rtept lat=\"48.31\" lon=\"-113.33\"><name>Bridge</name></rtept></rte>\n"
                "<trk><name>Climb</name><trkseg>\n"
                "<trkpt lat=\"48.30\" lon=\"-113.30\"><ele>1500</ele></trkpt>\n"
                "<trkpt lat=\"48.301\" lon=\"-113.301\"/>\n"
                "</trkseg></trk></gpx>\n");
  const path csv = WriteFile(L"more.csv",
                             "\xEF\xBB\xBFname;lat;lon\r\n"
                             "Essex;48,2708;-113,6047\r\n"
                             "\"Marias \"\"Pass\"\"\";48.3165;-113.3519\r\n"
                             "Bad;north;1\r\n");
  ASSERT_NO_FATAL_FAILURE(Launch());

  ExpectSummary(kml,
                L"Added 5 waypoints.\nSkipped 1:\n1 placemark without a point or a line (line 16)");
  EXPECT_EQ(Entire(),
            (std::vector<std::wstring>{L"Belton\t48.5\t-114\t2", L"Spur 1\t48.31\t-113.34\t2",
                                       L"Spur 2\t48.32\t-113.35\t2", L"Spur 3\t48.33\t-113.36\t2",
                                       L"Summit Tunnel\t48.3162\t-113.3486\t2"}));
  ExpectSummary(gpx, L"Added 4 waypoints.");
  const std::wstring csv_notes =
      L"\nLatitude from column lat, longitude from lon, names from name."
      L"\nDouble quotes became ' in 1 name (a waypoint name cannot contain one).";
  ExpectSummary(csv, L"Added 2 waypoints.\nSkipped 1:\n1 without a valid latitude and longitude "
                     L"(line 4)" + csv_notes);
  EXPECT_EQ(Entire(),
            (std::vector<std::wstring>{
                L"Belton\t48.5\t-114\t2", L"Bridge\t48.31\t-113.33\t2", L"Climb 1\t48.3\t-113.3\t2",
                L"Climb 2\t48.301\t-113.301\t2", L"Essex\t48.2708\t-113.6047\t2",
                L"Glacier Park\t48.4959\t-113.3541\t2", L"Marias 'Pass'\t48.3165\t-113.3519\t2",
                L"Spur 1\t48.31\t-113.34\t2", L"Spur 2\t48.32\t-113.35\t2",
                L"Spur 3\t48.33\t-113.36\t2", L"Summit Tunnel\t48.3162\t-113.3486\t2"}));
  ExpectSummary(csv,
                L"Added 0 waypoints.\nSkipped 3:\n1 without a valid latitude and longitude "
                L"(line 4)\n2 already in the list (lines 2, 3)" + csv_notes);
  EXPECT_EQ(Caption(), L"untitled") << "the document keeps its name";
  EXPECT_EQ(Rows("List_Recent"), std::vector<std::wstring>{});
}

// Saved as Excel saves "CSV (Comma delimited)": Windows-1252, and columns
// named as the open data of a space agency names them.
TEST_F(WaypointExchange, AWindows1252TableSaysHowItWasReadAndItsQuotedNameSurvivesASave) {
  const path csv = WriteFile(L"finds.csv",
                             "name,id,class,reclat,reclong\r\n"
                             "Z\xFCrich Fund,1,H5,47.37819,8.54019\r\n"
                             "\"The \"\"Old\"\" Mill\",2,L6,48.3162,-113.3486\r\n"
                             "Lost,3,L6,,\r\n");
  ASSERT_NO_FATAL_FAILURE(Launch());
  ExpectSummary(csv,
                L"Added 2 waypoints.\nSkipped 1:\n1 without a valid latitude and longitude (line 4)"
                L"\nLatitude from column reclat, longitude from reclong, names from name."
                L"\nThe file is not UTF-8 text; it was read as Windows-1252."
                L"\nDouble quotes became ' in 1 name (a waypoint name cannot contain one).");
  const std::vector<std::wstring> rows = {L"The 'Old' Mill\t48.3162\t-113.3486\t2",
                                          L"Z\u00FCrich Fund\t47.37819\t8.54019\t2"};
  EXPECT_EQ(Entire(), rows);
  const path saved = folder_.Path() / L"finds.mkr";
  ASSERT_NO_FATAL_FAILURE(SaveAsThroughDialog(saved));
  ASSERT_NO_FATAL_FAILURE(RunMenuCommand("Menu_FileNew"));
  EXPECT_EQ(Entire(), std::vector<std::wstring>{});
  ASSERT_NO_FATAL_FAILURE(OpenThroughDialog(saved));
  EXPECT_EQ(Entire(), rows) << "the same names after Save and Open";
}

TEST_F(WaypointExchange, HostileKmlIsRefusedWithItsReasonAndAddsNothing) {
  struct Hostile {
    const wchar_t* name;
    std::string bytes;
    std::wstring reason;
  };
  const Hostile files[] = {
      {L"laughs.kml",
       "<?xml version=\"1.0\"?>\n<!DOCTYPE kml [\n <!ENTITY a \"lol lol lol lol lol lol\">\n"
       " <!ENTITY b \"&a;&a;&a;&a;&a;&a;&a;&a;&a;&a;\">\n <!ENTITY c "
       "\"&b;&b;&b;&b;&b;&b;&b;&b;\">\n"
       "]>\n<kml><Placemark><name>&c;</name><Point><coordinates>1,2</coordinates></Point>"
       "</Placemark></kml>\n",
       L"it holds a document type declaration (DTD), which is not accepted (line 2)"},
      {L"huge.kml",
       "<kml>\n<Placemark>\n<name>" + std::string(100u * 1024 * 1024, 'x') +
           "</name><Point><coordinates>1,2</coordinates></Point></Placemark></kml>\n",
       L"it holds a text of more than 16777216 characters (line 3)"},
      {L"latin1.kml",
       "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<kml><Placemark>\n<name>Z\xFCrich</name>"
       "<Point><coordinates>8.5,47.3</coordinates></Point></Placemark></kml>\n",
       L"its bytes are not text in its encoding (line 3)"},
  };
  std::vector<path> paths;
  for (const auto& hostile : files) paths.push_back(WriteFile(hostile.name, hostile.bytes));
  ASSERT_NO_FATAL_FAILURE(Launch());
  for (size_t i = 0; i < paths.size(); ++i) {
    ShownBox shown = ImportThroughDialog(paths[i]);
    EXPECT_EQ(shown.title, L"Tarvik");
    EXPECT_EQ(shown.text,
              paths[i].wstring() + L"\rcould not be imported: " + files[i].reason + L".");
    EXPECT_TRUE(shown.icon) << "a warning";
    EXPECT_EQ(Entire(), std::vector<std::wstring>{}) << files[i].name;
  }
  ASSERT_NO_FATAL_FAILURE(CloseExpectingNoQuestion()) << "nothing changed";
}

std::string Latin1GpxWithATrack() {
  std::string gpx =
      "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\n"
      "<gpx version=\"1.1\" creator=\"a logger\" xmlns=\"http://www.topografix.com/GPX/1/1\">\n"
      "<wpt lat=\"47.37819\" lon=\"8.54019\"><name>Z\xFCrich HB</name></wpt>\n"
      "<trk><name>Limmat</name><trkseg>\n";
  for (int i = 1; i <= 10; ++i) {
    gpx += "<trkpt lat=\"47.3" + std::to_string(i) + "7\" lon=\"8.5\"/>\n";
  }
  return gpx + "</trkseg></trk></gpx>\n";
}

TEST_F(WaypointExchange, ImportsKmlTracksFromAKmzAndEightBitGpxAndNumbersThemInTrackOrder) {
  const std::string kml =
      "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"                                     // 1
      "<kml xmlns=\"http://www.opengis.net/kml/2.2\" "
      "xmlns:gx=\"http://www.google.com/kml/ext/2.2\"><Document>\n"                         // 2
      "<NetworkLink><Link><href>http://tarvik.invalid/more.kml</href></Link></NetworkLink>\n"
      "<Placemark><name>Survey</name><gx:MultiTrack><gx:Track>\n"                             // 4
      "<when>2024-05-01T10:00:00Z</when><when>2024-05-01T10:00:01Z</when>\n"
      "<gx:coord>-113.301 48.301 1500</gx:coord>\n<gx:coord></gx:coord>\n"                   // 6-7
      "<gx:coord>-113.302 48.302 1501</gx:coord><gx:coord>-113.303 48.303</gx:coord>\n"
      "</gx:Track><gx:Track>\n"
      "<gx:coord>-113.304 48.304 1</gx:coord><gx:coord>-113.305 48.305 1</gx:coord>\n"
      "<gx:coord>-113.306 48.306 1</gx:coord><gx:coord>-113.307 48.307 1</gx:coord>\n"
      "<gx:coord>-113.308 48.308 1</gx:coord><gx:coord>-113.309 48.309 1</gx:coord>\n"
      "<gx:coord>-113.31 48.31 1</gx:coord><gx:coord>-113.311 48.311 1</gx:coord>\n"
      "</gx:Track></gx:MultiTrack></Placemark>\n"
      "<Placemark><name>Ride</name><Track><coord>8.5 47.3 400</coord></Track></Placemark>\n"
      "</Document></kml>\n";
  const path kmz = WriteFile(
      L"survey.kmz", tests::MakeZip({{"files/overview.kml", "<kml/>"}, {"doc.kml", kml},
                                     {"files/photo.jpg", std::string(2000, 'j'), false}}));
  const path gpx = WriteFile(L"zurich.gpx", Latin1GpxWithATrack());
  const path sjis = WriteFile(L"tokyo.gpx",
                              "<?xml version=\"1.0\" encoding=\"Shift_JIS\"?>\n<gpx "
                              "version=\"1.1\"><wpt lat=\"35.68\" lon=\"139.76\"/></gpx>\n");
  ASSERT_NO_FATAL_FAILURE(Launch());

  ExpectSummary(kmz, L"Added 12 waypoints.\nSkipped 1:\n1 track point without coordinates (line 7)");
  std::vector<std::wstring> expected;
  for (int i = 1; i <= 11; ++i) {
    wchar_t row[64];
    swprintf(row, 64, L"Survey %02d\t48.%03d\t-113.%03d\t2", i, 300 + i, 300 + i);
    expected.push_back(row);
  }
  expected[9] = L"Survey 10\t48.31\t-113.31\t2";
  expected.insert(expected.begin(), L"Ride 1\t47.3\t8.5\t2");
  EXPECT_EQ(Entire(), expected);

  ExpectSummary(gpx, L"Added 11 waypoints.");
  std::vector<std::wstring> rows = Entire();
  ASSERT_EQ(rows.size(), 23u);
  EXPECT_EQ(rows[0], L"Limmat 01\t47.317\t8.5\t2");
  EXPECT_EQ(rows[9], L"Limmat 10\t47.3107\t8.5\t2");
  EXPECT_EQ(rows.back(), L"Z\u00FCrich HB\t47.37819\t8.54019\t2");

  ShownBox refused = ImportThroughDialog(sjis);
  EXPECT_EQ(refused.text, sjis.wstring() +
                              L"\rcould not be imported: it is written in Shift_JIS, an encoding "
                              L"Tarvik does not read (it reads UTF-8, UTF-16, ISO-8859-1 and "
                              L"Windows-1252).");
  EXPECT_EQ(Entire().size(), 23u);
}

// A file cut anywhere, as a broken download or a full disk leaves it, ends
// within 2 s in a box, and the list is unchanged or holds more whole
// waypoints of the file.
class CutFiles : public WaypointExchange {
 protected:
  void ImportEveryFortieth(const wchar_t* extension, const std::string& whole,
                           const std::vector<std::wstring>& rows_of_whole) {
    ASSERT_NO_FATAL_FAILURE(Launch());
    constexpr int kCuts = 40;
    milliseconds worst{};
    for (int k = 1; k <= kCuts; ++k) {
      std::wstring name = L"cut" + std::to_wstring(k) + extension;
      const path file = WriteFile(name.c_str(), whole.substr(0, whole.size() * k / kCuts));
      const std::vector<std::wstring> before = Entire();
      ShownBox shown = ImportThroughDialog(file, milliseconds(2000));
      worst = std::max(worst, shown.waited);
      EXPECT_LE(shown.waited.count(), 2000) << name;
      const std::vector<std::wstring> after = Entire();
      EXPECT_GE(after.size(), before.size()) << name;
      for (const auto& row : after) {
        bool known = std::find(before.begin(), before.end(), row) != before.end() ||
                     std::find(rows_of_whole.begin(), rows_of_whole.end(), row) !=
                         rows_of_whole.end();
        EXPECT_TRUE(known) << "a row no whole waypoint of the file gives: " << row;
      }
      if (k < kCuts) {
        EXPECT_EQ(shown.text, file.wstring() + L"\rcould not be imported: it ends too early.");
      }
    }
    std::vector<std::wstring> all = Entire(), expected = rows_of_whole;
    std::sort(all.begin(), all.end());
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(all, expected) << "the whole file, last, adds all";
    std::printf("worst of %d cuts of a %zu-byte %ls: %lld ms\n", kCuts, whole.size(), extension,
                static_cast<long long>(worst.count()));
  }

  // Placemarks and a track of a few kilobytes, so that the cuts fall in
  // every kind of markup.
  static std::string Kml() {
    std::string kml =
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<kml xmlns=\"http://www.opengis.net/kml/2.2\" "
        "xmlns:gx=\"http://www.google.com/kml/ext/2.2\"><Document><!-- made by a test -->\n";
    for (int i = 1; i <= 12; ++i) {
      const std::string n = std::to_string(i) + "7";
      kml += "<Placemark><name><![CDATA[Stop " + std::to_string(i) +
             "]]></name><Point><coordinates>-113." + n + ",48." + n +
             ",0</coordinates></Point></Placemark>\n";
    }
    kml += "<Placemark><name>Track</name><gx:Track>\n";
    for (int i = 1; i <= 12; ++i) {
      const std::string n = std::to_string(i) + "7";
      kml += "<gx:coord>-112." + n + " 47." + n + " 1</gx:coord>\n";
    }
    return kml + "</gx:Track></Placemark>\n</Document></kml>\n";
  }

  static std::vector<std::wstring> KmlRows() {
    std::vector<std::wstring> rows;
    for (int i = 1; i <= 12; ++i) {
      std::wstring n = std::to_wstring(i) + L"7";
      rows.push_back(L"Stop " + std::to_wstring(i) + L"\t48." + n + L"\t-113." + n + L"\t2");
      wchar_t number[8];
      swprintf(number, 8, L"%02d", i);
      rows.push_back(L"Track " + std::wstring(number) + L"\t47." + n + L"\t-112." + n + L"\t2");
    }
    return rows;
  }
};

TEST_F(CutFiles, KmlCutAtEveryFortiethEndsWithABoxWithinTwoSeconds) {
  ImportEveryFortieth(L".kml", Kml(), KmlRows());
}

TEST_F(CutFiles, KmzCutAtEveryFortiethEndsWithABoxWithinTwoSeconds) {
  ImportEveryFortieth(L".kmz", tests::MakeZip({{"doc.kml", Kml()}}), KmlRows());
}

TEST_F(CutFiles, GpxCutAtEveryFortiethEndsWithABoxWithinTwoSeconds) {
  std::string gpx = Latin1GpxWithATrack();
  std::vector<std::wstring> rows{L"Z\u00FCrich HB\t47.37819\t8.54019\t2"};
  for (int i = 1; i <= 10; ++i) {
    wchar_t row[64];
    swprintf(row, 64, L"Limmat %02d\t47.3%d7\t8.5\t2", i, i);
    rows.push_back(row);
  }
  ImportEveryFortieth(L".gpx", gpx, rows);
}

TEST_F(WaypointExchange, ExportWritesEachFormatThatImportReadsBackAsTheSameRows) {
  ASSERT_NO_FATAL_FAILURE(Launch());
  for (const auto& waypoint : {kSummit, kEastPortal, kBelton, kZurich}) {
    ASSERT_NO_FATAL_FAILURE(Add(waypoint));
  }
  // Typed without an extension: the chosen file type gives it.
  const path route = folder_.Path() / L"route";
  const wchar_t* extensions[] = {L".kml", L".gpx", L".csv"};
  for (int type = 0; type < 3; ++type) {
    ASSERT_NO_FATAL_FAILURE(ExportThroughDialog(route.wstring(), type));
  }
  auto file = [&](int type) { return path(route).replace_extension(extensions[type]); };
  auto bytes = [&](int type) { return ReadFileBytes(file(type)).value_or("<missing>"); };
  // Belton's latitude was typed as 4.85E1: other programs need a plain number.
  EXPECT_EQ(bytes(2),
            "\xEF\xBB\xBFname,latitude,longitude\r\n"
            "Belton Yard,48.5,-114\r\n"
            "east portal,48.309,-113.3392\r\n"
            "Summit Tunnel,48.3162,-113.3486\r\n"
            "Z\xC3\xBCrich HB & <S\xC3\xBC"
            "d>,47.37819,8.54019\r\n");
  const std::string kml = bytes(0);
  EXPECT_TRUE(kml.starts_with("<?xml")) << kml;
  EXPECT_NE(kml.find("<kml xmlns=\"http://www.opengis.net/kml/2.2\">"), std::string::npos) << kml;
  EXPECT_NE(kml.find("<name>Z\xC3\xBCrich HB &amp; &lt;S\xC3\xBC"
                     "d&gt;</name>"),
            std::string::npos)
      << kml;
  EXPECT_NE(kml.find("<coordinates>-114,48.5</coordinates>"), std::string::npos) << kml;
  const std::string gpx = bytes(1);
  EXPECT_NE(gpx.find("version=\"1.1\""), std::string::npos) << gpx;
  EXPECT_NE(gpx.find("<wpt lat=\"48.5\" lon=\"-114\">"), std::string::npos) << gpx;

  // Read back, every row is one the list holds, but for Belton's plain
  // latitude the first time.
  EXPECT_TRUE(ImportThroughDialog(file(0)).text.starts_with(
      L"Added 1 waypoint.\nSkipped 3:\n3 already in the list (lines "));
  EXPECT_TRUE(ImportThroughDialog(file(1)).text.starts_with(
      L"Added 0 waypoints.\nSkipped 4:\n4 already in the list (lines "));
  EXPECT_EQ(ImportThroughDialog(file(2)).text,
            L"Added 0 waypoints.\nSkipped 4:\n4 already in the list (lines 2, 3, 4, 5)\n"
            L"Latitude from column latitude, longitude from longitude, names from name.");
  EXPECT_EQ(Entire(), (std::vector<std::wstring>{L"Belton Yard\t4.85E1\t-114\t2",
                                                 L"Belton Yard\t48.5\t-114\t2", RowOf(kEastPortal),
                                                 RowOf(kSummit), RowOf(kZurich)}));

  ASSERT_NO_FATAL_FAILURE(Add(kGlacier));
  ASSERT_NO_FATAL_FAILURE(ExportThroughDialog(file(2).wstring(), 2, true));
  EXPECT_NE(bytes(2).find("Glacier Park,48.4959,-113.3541\r\n"), std::string::npos) << bytes(2);
  EXPECT_FALSE(std::filesystem::exists(file(2).wstring() + L".saving")) << "nothing left beside it";
}

TEST_F(WaypointExchange, APositionPastedIntoACoordinateBoxFillsBothBoxes) {
  ASSERT_NO_FATAL_FAILURE(Launch());
  HWND latitude = Control("Text_Latitude");
  HWND longitude = Control("Text_Longitude");
  ClipboardOwner clipboard;
  struct Keys { WORD modifier, key; };
  const Keys ctrl_v{VK_CONTROL, 'V'};
  const Keys shift_insert{VK_SHIFT, VK_INSERT};
  // The user copies the text, clicks into the box and presses the keys.
  auto paste_into = [&](HWND box, const std::wstring& text, Keys keys) {
    ASSERT_TRUE(clipboard.Put(text));
    SetForegroundWindow(main_);
    ASSERT_TRUE(WaitUntil([&] { return GetForegroundWindow() == main_; }, kWindowLimit));
    const DWORD own = GetCurrentThreadId();
    const DWORD program = GetWindowThreadProcessId(main_, nullptr);
    ASSERT_TRUE(AttachThreadInput(own, program, TRUE));
    SetFocus(box);
    bool sent = PressKeyWith(keys.modifier, keys.key);
    AttachThreadInput(own, program, FALSE);
    ASSERT_TRUE(sent);
  };

  ASSERT_NO_FATAL_FAILURE(paste_into(latitude, L"48\u00B018'58.3\"N 113\u00B020'55\"W", ctrl_v));
  EXPECT_TRUE(WaitUntil([&] { return TextOf(longitude) == L"-113.348611"; }, kWindowLimit))
      << "longitude box: " << TextOf(longitude).value_or(L"?");
  EXPECT_EQ(TextOf(latitude), L"48.316194");

  ASSERT_NO_FATAL_FAILURE(paste_into(
      longitude, L"https://www.openstreetmap.org/#map=15/47.37819/8.54019", shift_insert));
  EXPECT_TRUE(WaitUntil([&] { return TextOf(latitude) == L"47.37819"; }, kWindowLimit))
      << "latitude box: " << TextOf(latitude).value_or(L"?");
  EXPECT_EQ(TextOf(longitude), L"8.54019");

  // Any other text pastes as the box pastes it.
  ASSERT_TRUE(SetText(latitude, L""));
  ASSERT_NO_FATAL_FAILURE(paste_into(latitude, L"48.5 North", ctrl_v));
  EXPECT_TRUE(WaitUntil([&] { return TextOf(latitude) == L"48.5 North"; }, kWindowLimit))
      << "latitude box: " << TextOf(latitude).value_or(L"?");
  EXPECT_EQ(TextOf(longitude), L"8.54019");
}

}  // namespace
}  // namespace tarvik::e2e
