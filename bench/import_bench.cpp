// Import of a GPS track of 100,000 points in tarvik.exe under Wine: from
// the Open button of the Import dialog to the summary box that says the
// list is filled, beside the bare XmlLite read of the same file in this
// process, measured in one run; then Export of that list to each format.
// The parts of the import (XML to waypoints, the list's order) are timed
// in this process too, and Open and Save As of the same rows as a Marker
// file in tarvik.exe, which fill and read the list box the same way, so
// that the list box's share shows. Then the same for a KMZ holding a
// 100,000-point gx:Track against the bare read of its KML; with --large,
// the time and peak memory of importing KML, GPX and KMZ files of the
// size given. Prints figures; asserts nothing.
#include <windows.h>

#include <wrl/client.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <random>
#include <stdexcept>
#include <string>
#include <vector>

#include "bench/ChildProgram.h"
#include "bench/StartupPlan.h"
#include "bench/TarvikFileCommands.h"
#include "platform/win32/Utf.h"
#include "platform/win32/Win32Files.h"
#include "platform/win32/XmlLiteDocuments.h"
#include "platform/win32/XmlLiteFunctions.h"
#include "waypoints/MarkerFile.h"
#include "waypoints/RowOrder.h"
#include "waypoints/exchange/ExportPlan.h"
#include "waypoints/exchange/ImportPlan.h"
#include "waypoints/exchange/WaypointFiles.h"
#include "tests/support/TestZip.h"

namespace tarvik::bench {
namespace {

using Microsoft::WRL::ComPtr;
namespace exchange = waypoints::exchange;

constexpr int kPoints = 100000;
constexpr int kBareRounds = 5;
constexpr int kDefaultWindowRounds = 3;
constexpr double kGoalSeconds = 2;
constexpr double kGoalRatio = 3;

double MedianOf(int rounds, const std::function<void()>& work) {
  std::vector<double> samples;
  for (int i = 0; i < rounds; ++i) {
    Stopwatch clock;
    work();
    samples.push_back(clock.ElapsedMs());
  }
  return Median(samples);
}

// A track as a GPS logs it: a point a second with height and time.
std::string TrackGpx() {
  std::mt19937 random(7);
  std::uniform_real_distribution<double> step(-0.0002, 0.0002);
  double latitude = 48.3162, longitude = -113.3486;
  std::string gpx =
      "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
      "<gpx version=\"1.1\" creator=\"bench\" xmlns=\"http://www.topografix.com/GPX/1/1\">\n"
      "<trk><name>Marias Pass</name><trkseg>\n";
  char point[200];
  for (int i = 0; i < kPoints; ++i) {
    latitude += step(random);
    longitude += step(random);
    std::snprintf(point, sizeof point,
                  "<trkpt lat=\"%.7f\" lon=\"%.7f\"><ele>%.1f</ele>"
                  "<time>2024-05-01T%02d:%02d:%02dZ</time></trkpt>\n",
                  latitude, longitude, 1500 + (i % 400) / 10.0, (i / 3600) % 24, (i / 60) % 60,
                  i % 60);
    gpx += point;
  }
  return gpx + "</trkseg></trk>\n</gpx>\n";
}

// A track as Google Earth records it: a time and a position a second.
std::string TrackKml(int points) {
  std::mt19937 random(11);
  std::uniform_real_distribution<double> step(-0.0002, 0.0002);
  double latitude = 48.3162, longitude = -113.3486;
  std::string kml =
      "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<kml xmlns=\"http://www.opengis.net/kml/2.2\" "
      "xmlns:gx=\"http://www.google.com/kml/ext/2.2\"><Document>\n<Placemark><name>Survey</name>"
      "<gx:Track>\n";
  char point[160];
  for (int i = 0; i < points; ++i) {
    latitude += step(random);
    longitude += step(random);
    std::snprintf(point, sizeof point,
                  "<when>2024-05-01T%02d:%02d:%02dZ</when><gx:coord>%.7f %.7f %.1f</gx:coord>\n",
                  (i / 3600) % 24, (i / 60) % 60, i % 60, longitude, latitude,
                  1500 + (i % 400) / 10.0);
    kml += point;
  }
  return kml + "</gx:Track></Placemark>\n</Document></kml>\n";
}

// Every node read and every name and value fetched, as any reader of the
// file must, and nothing more.
size_t BareXmlLiteRead(const std::wstring& path) {
  const auto* xml_lite = platform::win32::LoadXmlLite();
  ComPtr<IStream> stream;
  ComPtr<IXmlReader> reader;
  if (!xml_lite ||
      FAILED(xml_lite->stream_on_file(path.c_str(), STGM_READ, FILE_ATTRIBUTE_NORMAL, FALSE,
                                      nullptr, &stream)) ||
      FAILED(xml_lite->create_reader(__uuidof(IXmlReader),
                                     reinterpret_cast<void**>(reader.GetAddressOf()), nullptr)) ||
      FAILED(reader->SetProperty(XmlReaderProperty_DtdProcessing, DtdProcessing_Prohibit)) ||
      FAILED(reader->SetInput(stream.Get()))) {
    throw std::runtime_error("cannot start XmlLite");
  }
  size_t characters = 0;
  XmlNodeType type;
  const wchar_t* text = nullptr;
  UINT length = 0;
  while (reader->Read(&type) == S_OK) {
    if (type == XmlNodeType_Element) {
      reader->GetLocalName(&text, &length);
      characters += length;
      for (HRESULT more = reader->MoveToFirstAttribute(); more == S_OK;
           more = reader->MoveToNextAttribute()) {
        reader->GetValue(&text, &length);
        characters += length;
      }
    } else if (type == XmlNodeType_Text || type == XmlNodeType_EndElement) {
      reader->GetValue(&text, &length);
      characters += length;
    }
  }
  return characters;
}

// The same read through the program's XML layer, every event delivered
// and dropped: what the layer adds to the bare read.
class Discard : public platform::XmlHandler {
 public:
  bool StartElement(std::string_view, const std::vector<platform::XmlAttribute>&, int) override {
    return true;
  }
  bool Text(std::string_view) override { return true; }
  bool EndElement(std::string_view) override { return true; }
};

void AdapterRead(const std::string& path) {
  platform::win32::Win32Files files;
  platform::win32::XmlLiteDocuments xml(files);
  Discard discard;
  if (!xml.Read(path, discard).ok()) throw std::runtime_error("the XML layer refused the track");
}

std::vector<std::string> ImportedRows(const std::string& path) {
  platform::win32::Win32Files files;
  platform::win32::XmlLiteDocuments xml(files);
  auto outcome = exchange::ReadWaypointFile(path, files, xml);
  if (outcome.refusal) throw std::runtime_error("refused: " + outcome.refusal->reason);
  auto plan = exchange::PlanImport(std::move(outcome.batch), {});
  waypoints::SortRows(plan.rows);
  return std::move(plan.rows);
}

// The program under test, driven through its File menu and dialogs.
class Tarvik {
 public:
  explicit Tarvik(const std::wstring& exe) : commands_(exe) {}

  // Milliseconds from Open to the summary box; returns its text too.
  double Import(const std::wstring& path, std::wstring& summary) {
    auto boxed = commands_.ChooseUntilBox("Menu_FileImport", path);
    summary = boxed.text;
    return boxed.ms;
  }
  // Milliseconds from the dialog's button to a window that answers again.
  // What is written is deleted first, so that no overwrite question comes.
  double Export(const std::wstring& path) {
    DeleteFileW(path.c_str());
    return commands_.ChooseUntilAnswering("Menu_FileExport", path);
  }
  double Open(const std::wstring& path) {
    return commands_.ChooseUntilAnswering("Menu_FileOpen", path);
  }
  double SaveAs(const std::wstring& path) {
    DeleteFileW(path.c_str());
    return commands_.ChooseUntilAnswering("Menu_FileSaveAs", path);
  }
  void Empty(bool changed) { commands_.Empty(changed); }

  // The process's peak working set so far, and its working set now, in MB.
  double PeakMb() const { return commands_.Memory().PeakWorkingSetSize / 1048576.0; }
  double WorkingSetMb() const { return commands_.Memory().WorkingSetSize / 1048576.0; }

 private:
  TarvikFileCommands commands_;
};

// An import's peak memory against what it may use: four times the file's
// size beyond the working set before it, plus the rows it adds, taken as
// the working set's growth that stays once the import has ended.
void ReportMemory(const Tarvik& tarvik, double before_mb, double file_mb) {
  const double peak = tarvik.PeakMb(), after = tarvik.WorkingSetMb();
  const double allowed = 4 * file_mb + std::max(0.0, after - before_mb);
  std::printf("  peak working set %.0f MB, %.0f MB above the %.0f MB before; allowed 4 x %.1f MB "
              "+ %.0f MB kept after = %.0f MB: %s\n",
              peak, peak - before_mb, before_mb, file_mb, std::max(0.0, after - before_mb), allowed,
              peak - before_mb <= allowed ? "within" : "over");
}

// The KMZ of a 100,000-point gx:Track against the bare read of its KML.
void RunKmz(const std::wstring& folder, bool with_window, int window_rounds) {
  const std::string kml = TrackKml(kPoints);
  const std::string kmz = tests::MakeZip({{"doc.kml", kml}});
  const std::wstring kml_path = folder + L"\\track.kml", kmz_path = folder + L"\\track.kmz";
  WriteBenchFile(kml_path, kml);
  WriteBenchFile(kmz_path, kmz);
  std::printf("gx:Track: %d points, KML %.1f MB, KMZ %.1f MB\n", kPoints, kml.size() / 1048576.0,
              kmz.size() / 1048576.0);
  double bare = MedianOf(kBareRounds, [&] { BareXmlLiteRead(kml_path); });
  std::vector<std::string> rows;
  double direct = MedianOf(kBareRounds, [&] { rows = ImportedRows(platform::win32::Narrow(kmz_path)); });
  std::printf("bare XmlLite read of the KML:      %8.1f ms (median of %d)\n", bare, kBareRounds);
  std::printf("KMZ to sorted rows, no window:     %8.1f ms (%.2fx the bare read), %zu rows\n",
              direct, direct / bare, rows.size());
  if (!with_window) return;
  Tarvik tarvik(PathBesideThisProgram(L"tarvik.exe"));
  std::vector<double> imports;
  for (int round = 0; round < window_rounds; ++round) {
    std::wstring summary;
    const double before = tarvik.WorkingSetMb();
    imports.push_back(tarvik.Import(kmz_path, summary));
    if (round == 0) {
      std::printf("summary: %ls\n", summary.c_str());
      ReportMemory(tarvik, before, kmz.size() / 1048576.0);
    }
    tarvik.Empty(true);
  }
  double import = Median(imports);
  double ratio = import / bare;
  std::printf("Import of the KMZ in tarvik.exe:   %8.1f ms (median of %d), %.2fx the bare read\n",
              import, window_rounds, ratio);
  std::printf("goal: under %.0f s and at most %.0fx the bare read: %.2f s, %.2fx: %s\n",
              kGoalSeconds, kGoalRatio, import / 1000, ratio,
              import <= kGoalSeconds * 1000 && ratio <= kGoalRatio ? "met" : "missed");
}

// Files of about `megabytes` each, imported once in a fresh tarvik.exe:
// time from Open to the box, and the process's peak working set.
void RunLarge(const std::wstring& folder, int megabytes) {
  const double bytes = megabytes * 1048576.0;
  const int points = static_cast<int>(bytes / 88);  // bytes a point takes
  // Texts just under the limit for one text, and tags of four bytes: the
  // most XmlLite has to read, and the most nodes, that a file that size
  // holds; written a piece at a time, as a 32-bit process cannot hold
  // every file whole at once.
  auto repeated = [&](const std::wstring& path, const std::string& head, const std::string& piece,
                      const std::string& tail) {
    platform::win32::UniqueFile file(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr,
                                                 CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (file.get() == INVALID_HANDLE_VALUE) {
      file.release();
      throw std::runtime_error("cannot write a large file");
    }
    double written = 0;
    auto put = [&](const std::string& part) {
      DWORD done = 0;
      WriteFile(file.get(), part.data(), static_cast<DWORD>(part.size()), &done, nullptr);
      written += done;
    };
    put(head);
    while (written + piece.size() < bytes) put(piece);
    put(tail);
    return written / 1048576.0;
  };
  std::string tags;
  while (tags.size() < 1048576) tags += "<b/>";
  const std::pair<const wchar_t*, std::function<double(const std::wstring&)>> files[] = {
      {L"large.kml",
       [&](const std::wstring& path) {
         std::string kml = TrackKml(points);
         WriteBenchFile(path, kml);
         return kml.size() / 1048576.0;
       }},
      {L"large.kmz",
       [&](const std::wstring& path) {
         std::string kmz = tests::MakeZip({{"doc.kml", TrackKml(points)}});
         WriteBenchFile(path, kmz);
         return kmz.size() / 1048576.0;
       }},
      {L"texts.kml",
       [&](const std::wstring& path) {
         std::string text(platform::kMaxXmlTextCharacters - 1024, 'd');
         return repeated(path, "<kml><Document>\n", "<description>" + text + "</description>\n",
                         "</Document></kml>\n");
       }},
      {L"tags.gpx",
       [&](const std::wstring& path) { return repeated(path, "<gpx>\n", tags, "\n</gpx>\n"); }}};
  std::printf("tracks of %d points\n", points);
  for (const auto& [name, make] : files) {
    const std::wstring path = folder + L"\\" + name;
    const double size = make(path);
    const std::wstring xml_path = path.ends_with(L".kmz") ? folder + L"\\large.kml" : path;
    double bare = MedianOf(1, [&] { BareXmlLiteRead(xml_path); });
    Tarvik tarvik(PathBesideThisProgram(L"tarvik.exe"));
    const double before = tarvik.WorkingSetMb();
    std::wstring summary;
    double ms = tarvik.Import(path, summary);
    std::printf("%ls, %.1f MB: Import %.0f ms (bare read of the XML %.0f ms), box: %ls\n", name,
                size, ms, bare, summary.substr(0, summary.find(L'\n')).c_str());
    ReportMemory(tarvik, before, size);
    tarvik.Empty(summary.starts_with(L"Added") && !summary.starts_with(L"Added 0 "));
  }
}

int Run(bool with_window, int window_rounds, int large_mb) {
  wchar_t temp[MAX_PATH + 1] = {};
  GetTempPathW(MAX_PATH, temp);
  const std::wstring folder = std::wstring(temp) + L"tarvik-import-bench";
  CreateDirectoryW(folder.c_str(), nullptr);
  if (large_mb > 0) {
    RunLarge(folder, large_mb);
    return 0;
  }
  const std::wstring track = folder + L"\\track.gpx";
  std::string gpx = TrackGpx();
  WriteBenchFile(track, gpx);
  std::printf("track: %d points, %.1f MB\n", kPoints, gpx.size() / 1048576.0);

  const std::string track_utf8 = platform::win32::Narrow(track);
  std::vector<std::string> rows;
  double bare = MedianOf(kBareRounds, [&] { BareXmlLiteRead(track); });
  double layer = MedianOf(kBareRounds, [&] { AdapterRead(track_utf8); });
  double xml_part = MedianOf(kBareRounds, [&] { rows = ImportedRows(track_utf8); });
  std::printf("bare XmlLite read:                 %8.1f ms (median of %d)\n", bare, kBareRounds);
  std::printf("the same through the XML layer:    %8.1f ms (%.2fx the bare read)\n", layer,
              layer / bare);
  std::printf("file to sorted rows, no window:    %8.1f ms (%.2fx the bare read)\n", xml_part,
              xml_part / bare);

  const std::pair<const wchar_t*, exchange::ExportFormat> formats[] = {
      {L"kml", exchange::ExportFormat::Kml},
      {L"gpx", exchange::ExportFormat::Gpx},
      {L"csv", exchange::ExportFormat::Csv}};
  for (const auto& [extension, format] : formats) {
    const std::string path = platform::win32::Narrow(folder + L"\\direct." + extension);
    double ms = MedianOf(kBareRounds, [&] {
      platform::win32::Win32Files files;
      platform::win32::XmlLiteDocuments xml(files);
      auto plan = exchange::PlanExport(rows);
      auto bytes = exchange::ExportBytes(format, plan.waypoints, xml);
      files.Delete(path);
      if (!bytes || files.CreateNew(path, *bytes) != platform::FileStatus::Ok) {
        throw std::runtime_error("cannot export");
      }
    });
    std::printf("export to %ls, no window:          %8.1f ms\n", extension, ms);
  }

  RunKmz(folder, with_window, window_rounds);
  if (!with_window) return 0;
  const std::wstring marker = folder + L"\\track.mkr";
  auto marker_bytes = waypoints::EncodeMarkerFile(rows);
  WriteBenchFile(marker, std::string(marker_bytes.begin(), marker_bytes.end()));

  Tarvik tarvik(PathBesideThisProgram(L"tarvik.exe"));
  std::vector<double> imports, opens, saves;
  std::vector<std::vector<double>> exports(std::size(formats));
  for (int round = 0; round < window_rounds; ++round) {
    std::wstring summary;
    imports.push_back(tarvik.Import(track, summary));
    if (round == 0) std::printf("summary: %ls\n", summary.c_str());
    for (size_t f = 0; f < std::size(formats); ++f) {
      exports[f].push_back(tarvik.Export(folder + L"\\export." + std::wstring(formats[f].first)));
    }
    saves.push_back(tarvik.SaveAs(folder + L"\\saved.mkr"));
    tarvik.Empty(false);
    opens.push_back(tarvik.Open(marker));
    tarvik.Empty(false);
  }
  double import = Median(imports);
  std::printf("Import in tarvik.exe, Open to box: %8.1f ms (median of %d)\n", import,
              window_rounds);
  std::printf("Open of the same rows as a Marker file in tarvik.exe: %8.1f ms\n", Median(opens));
  for (size_t f = 0; f < std::size(formats); ++f) {
    std::printf("Export to %ls in tarvik.exe:       %8.1f ms\n", formats[f].first,
                Median(exports[f]));
  }
  std::printf("Save As of the same list as a Marker file in tarvik.exe: %8.1f ms\n", Median(saves));
  double ratio = import / bare;
  std::printf("goal: under %.0f s and at most %.0fx the bare read: %.2f s, %.2fx: %s\n",
              kGoalSeconds, kGoalRatio, import / 1000, ratio,
              import <= kGoalSeconds * 1000 && ratio <= kGoalRatio ? "met" : "missed");
  return 0;
}

}  // namespace
}  // namespace tarvik::bench

// "--no-window" measures only the parts in this process; "--rounds N" sets
// how often tarvik.exe imports and exports (3); "--large MB" measures only
// the import of a KML and a KMZ track of that many MB.
int wmain(int argc, wchar_t** argv) {
  bool with_window = true;
  int rounds = tarvik::bench::kDefaultWindowRounds;
  int large_mb = 0;
  for (int i = 1; i < argc; ++i) {
    std::wstring option = argv[i];
    if (option == L"--no-window") {
      with_window = false;
    } else if (option == L"--rounds" && i + 1 < argc && _wtoi(argv[i + 1]) > 0) {
      rounds = _wtoi(argv[++i]);
    } else if (option == L"--large" && i + 1 < argc && _wtoi(argv[i + 1]) > 0) {
      large_mb = _wtoi(argv[++i]);
    } else {
      std::printf("usage: import_bench [--no-window] [--rounds N] [--large MB]\n");
      return 2;
    }
  }
  try {
    return tarvik::bench::Run(with_window, rounds, large_mb);
  } catch (const std::exception& failure) {
    std::printf("error: %s\n", failure.what());
    return 1;
  }
}
