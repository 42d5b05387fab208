// List benchmark: tarvik.exe opens Marker files of 100,000, 30,000 and
// 1,000 rows, timed from the Open command (the top Recent Files entry; the
// largest also from the command line) to the window taking messages again,
// beside the floor: the same file
// read in pieces, parsed and sorted by the program's own code in this
// process. In the 100,000-row list it then times a selection, Add, Delete
// and Save, opens the file once more over the full list, and reads the
// program's peak working set. Each round starts the program afresh; all
// under the same Wine in one run. Prints figures; asserts nothing.
#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <exception>
#include <map>
#include <stdexcept>
#include <string>
#include <vector>

#include "app/win32/WindowClasses.h"
#include "bench/ChildProgram.h"
#include "bench/GeneratedRows.h"
#include "bench/StartupPlan.h"
#include "bench/TarvikWindow.h"
#include "bench/WholeNumber.h"
#include "platform/win32/Utf.h"
#include "platform/win32/Win32Files.h"
#include "waypoints/MarkerFile.h"

namespace tarvik::bench {
namespace {

using platform::win32::Narrow;

constexpr int kSizes[] = {100000, 30000, 1000};
constexpr int kLargest = kSizes[0];
constexpr int kFloorRounds = 5;
constexpr DWORD kStartLimitMs = 30000;
constexpr DWORD kCommandLimitMs = 60000;
constexpr DWORD kBoxLimitMs = 10000;
constexpr DWORD kCloseWaitMs = 10000;

constexpr double kOpenGoalMs = 1000;
constexpr double kFloorGoalRatio = 10;
constexpr double kListActionGoalMs = 50;
constexpr double kSaveGoalMs = 1000;
constexpr double kPeakGoalMb = 64;

void Require(bool condition, const std::string& what) {
  if (!condition) throw std::runtime_error(what);
}

// Registry values of the program's own settings, as it stores them.
void ClearTarvikSettings() { RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\Tarvik"); }

void SetTarvikValue(const std::wstring& section, const std::wstring& key,
                    const std::wstring& value) {
  LSTATUS status = RegSetKeyValueW(HKEY_CURRENT_USER, (L"Software\\Tarvik\\" + section).c_str(),
                                   key.c_str(), REG_SZ, value.c_str(),
                                   static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
  Require(status == ERROR_SUCCESS, "cannot write the program's settings");
}

std::wstring BenchFolder() {
  std::vector<wchar_t> temp(MAX_PATH + 1);
  DWORD length = GetTempPathW(static_cast<DWORD>(temp.size()), temp.data());
  std::wstring folder = std::wstring(temp.data(), length) + L"tarvik-list-bench\\";
  CreateDirectoryW(folder.c_str(), nullptr);
  return folder;
}

// The generated rows in file order, as another tool would have written
// them, not in the order Tarvik keeps; any backup of an earlier run goes.
void WriteMarkerFile(const std::wstring& path, int rows) {
  platform::win32::Win32Files files;
  files.Delete(Narrow(path));
  std::wstring backup = path.substr(0, path.size() - 3) + L"bak";
  files.Delete(Narrow(backup));
  auto status = files.CreateNew(Narrow(path), waypoints::EncodeMarkerFile(GeneratedRows(rows)));
  Require(status == platform::FileStatus::Ok, "cannot write " + Narrow(path));
}

double FloorMs(const std::wstring& path, int rows) {
  platform::win32::Win32Files files;
  std::vector<double> samples;
  for (int round = 0; round < kFloorRounds; ++round) {
    Stopwatch clock;
    waypoints::MarkerRowReader reader;
    auto read = files.ReadInPieces(Narrow(path), [&](const platform::Bytes& piece) { reader.Take(piece); });
    auto block = reader.Finish();
    Require(read == platform::FileStatus::Ok && block.has_value(),
            "the portable reader refused " + Narrow(path));
    std::size_t sorted = block->SortedRows().size();
    samples.push_back(clock.ElapsedMs());
    Require(sorted == static_cast<std::size_t>(rows), "the portable reader lost rows");
  }
  return Median(samples);
}

double PeakWorkingSetMb(HANDLE process) {
  PROCESS_MEMORY_COUNTERS counters{};
  counters.cb = sizeof counters;
  Require(K32GetProcessMemoryInfo(process, &counters, sizeof counters) != FALSE,
          "cannot read the program's memory counters");
  return static_cast<double>(counters.PeakWorkingSetSize) / (1024.0 * 1024.0);
}

enum class Opening { FromRecentFiles, FromTheCommandLine };

// One start of tarvik.exe with the file as its top Recent Files entry, or
// on its command line, and Mosaic as the target, whose jump asks once to
// open it.
class Session {
 public:
  Session(const std::wstring& tarvik, const std::wstring& file, int rows, Opening opening)
      : file_(file), rows_(rows) {
    ClearTarvikSettings();
    SetTarvikValue(L"MRUFiles", L"0", file);
    SetTarvikValue(L"Settings", L"WhichApp", L"1");
    const bool on_command_line = opening == Opening::FromTheCommandLine;
    program_.emplace(tarvik, start_, on_command_line ? L"\"" + file + L"\"" : L"");
    WindowTimes times =
        WaitForWindow(*program_, app::win32::kMainClass, nullptr, start_, kStartLimitMs);
    main_ = times.window;
    shown_ms_ = times.shown_ms;
    window_.emplace(main_, program_->Id());
  }

  // A file on the command line is opened once the main window shows, before
  // the program takes its first message.
  double OpenedFromTheCommandLine() {
    double ms = Taken(start_, "the open from the command line did not end") - shown_ms_;
    ExpectOpened("the open from the command line");
    return ms;
  }
  ~Session() {
    program_->Close(main_, kCloseWaitMs);
    ClearTarvikSettings();
  }
  Session(const Session&) = delete;
  Session& operator=(const Session&) = delete;

  // The file dialog's libraries stay in the process once it has been open,
  // as they do for a user who opened a file through it.
  void OpenAndCancelTheFileDialog() {
    Require(window_->WaitUntilAnswering(kStartLimitMs), "the main window does not answer");
    Require(window_->PostMenu("Menu_FileOpen"), "cannot choose File > Open");
    HWND dialog = window_->WaitForMessageBox(kBoxLimitMs);
    Require(dialog != nullptr, "no Open dialog");
    Require(window_->Answer(dialog, IDCANCEL, kBoxLimitMs), "the Open dialog stayed");
    // The Open command goes on a while after its dialog has gone.
    Stopwatch settling;
    Taken(settling, "the Open command did not end");
  }

  double Open() {
    Stopwatch clock;
    Require(window_->PostMenu("Menu_FileRecent_0"), "cannot choose the Recent Files entry");
    double ms = Taken(clock, "the open did not end");
    ExpectOpened("the open");
    return ms;
  }

  // Until the selection's jump begins, which first lets waiting events run.
  double Select() {
    HWND list = window_->Control("List_Entire");
    SendMessageW(list, LB_SETCURSEL, static_cast<WPARAM>(rows_ / 2), 0);
    Stopwatch clock;
    Require(window_->PostSelectionChange("List_Entire"), "cannot select a row");
    double ms = Taken(clock, "the selection did not end");
    AnswerPleaseOpen();
    return ms;
  }

  // Until the new row's jump begins, after the checks and both lists.
  double Add() {
    Require(window_->SetText("Text_Waypoint", L"Bench added waypoint") &&
                window_->SetText("Text_Latitude", L"48.5") &&
                window_->SetText("Text_Longitude", L"-113.25"),
            "cannot type the new waypoint");
    Stopwatch clock;
    Require(window_->PostClick("Command_New"), "cannot press Add");
    double ms = Taken(clock, "Add did not end");
    AnswerPleaseOpen();
    Require(window_->ListCount("List_Entire") == rows_ + 1, "Add did not add the row");
    return ms;
  }

  // From the Yes of "Delete waypoint ...?" to the window answering again.
  double Delete() {
    std::wstring first = window_->ListRow("List_Entire", 0);
    Require(window_->SetText("Text_Waypoint", first.substr(0, first.find(L'\t'))),
            "cannot type the name to delete");
    Require(window_->PostClick("Command_Delete"), "cannot press Delete");
    HWND question = window_->WaitForMessageBox(kBoxLimitMs);
    Require(question && window_->MessageText(question).starts_with(L"Delete waypoint "),
            "no Delete question");
    Stopwatch clock;
    Require(window_->Answer(question, IDYES, kBoxLimitMs), "the Delete question stayed");
    double ms = Taken(clock, "Delete did not end");
    Require(window_->ListCount("List_Entire") == rows_, "Delete did not remove the row");
    return ms;
  }

  double Save() {
    Stopwatch clock;
    Require(window_->PostMenu("Menu_FileSave"), "cannot choose File > Save");
    double ms = Taken(clock, "Save did not end");
    ExpectNoMessage("Save");
    return ms;
  }

  double PeakMb() const { return PeakWorkingSetMb(program_->Handle()); }

 private:
  double Taken(const Stopwatch& clock, const char* failure) const {
    std::optional<double> ms = window_->WhenPostedMessagesTaken(clock, kCommandLimitMs);
    Require(ms.has_value(), failure);
    return *ms;
  }

  void ExpectOpened(const char* what) {
    ExpectNoMessage(what);
    std::wstring name = file_.substr(file_.find_last_of(L'\\') + 1);
    Require(window_->Caption() == name, "the window is not named after the file");
    Require(window_->ListCount("List_Entire") == rows_, "the list does not hold the file's rows");
  }

  void ExpectNoMessage(const char* after) {
    if (HWND box = window_->MessageBox()) {
      throw std::runtime_error(std::string("a message after ") + after + ": " +
                               Narrow(window_->MessageText(box)));
    }
  }

  void AnswerPleaseOpen() {
    HWND box = window_->WaitForMessageBox(kBoxLimitMs);
    Require(box && window_->MessageText(box).starts_with(L"Please Open"), "no Please Open warning");
    Require(window_->Answer(box, IDOK, kBoxLimitMs), "the warning stayed");
    Require(window_->WaitUntilAnswering(kCommandLimitMs), "no answer after the warning");
  }

  std::wstring file_;
  int rows_;
  Stopwatch start_;
  std::optional<ChildProgram> program_;
  HWND main_ = nullptr;
  double shown_ms_ = 0;
  std::optional<TarvikWindow> window_;
};

struct Figures {
  std::map<int, std::vector<double>> open_ms;
  std::map<int, double> floor_ms;
  std::map<std::string, std::vector<double>> large_list_ms;
  double peak_mb = 0;
};

void RunRound(int round, const std::wstring& tarvik, const std::wstring& folder, Figures& figures) {
  for (int rows : kSizes) {
    std::wstring file = folder + L"waypoints-" + std::to_wstring(rows) + L".mkr";
    WriteMarkerFile(file, rows);
    if (rows == kLargest) {
      Session started_with_it(tarvik, file, rows, Opening::FromTheCommandLine);
      figures.large_list_ms["command line"].push_back(started_with_it.OpenedFromTheCommandLine());
      std::printf("round %d: open %6d rows from the command line %8.1f ms\n", round, rows,
                  figures.large_list_ms["command line"].back());
    }
    Session session(tarvik, file, rows, Opening::FromRecentFiles);
    session.OpenAndCancelTheFileDialog();
    double open = session.Open();
    figures.open_ms[rows].push_back(open);
    std::printf("round %d: open %6d rows %8.1f ms", round, rows, open);
    if (rows == kLargest) {
      auto& large = figures.large_list_ms;
      large["select"].push_back(session.Select());
      large["add"].push_back(session.Add());
      large["delete"].push_back(session.Delete());
      large["save"].push_back(session.Save());
      large["open again"].push_back(session.Open());
      std::printf(", select %.1f, add %.1f, delete %.1f, save %.1f, open again %.1f ms",
                  large["select"].back(), large["add"].back(), large["delete"].back(),
                  large["save"].back(), large["open again"].back());
    }
    double peak = session.PeakMb();
    if (rows == kLargest) figures.peak_mb = std::max(figures.peak_mb, peak);
    std::printf(", peak working set %.1f MB\n", peak);
  }
}

const char* Verdict(bool met) { return met ? "met" : "NOT met"; }

void PrintSummary(const Figures& figures) {
  std::printf("\nopen, median of the rounds, against the floor (median of %d):\n", kFloorRounds);
  for (int rows : kSizes) {
    double open = Median(figures.open_ms.at(rows));
    double floor = figures.floor_ms.at(rows);
    std::optional<double> ratio = Ratio(open, floor);
    bool met = open < kOpenGoalMs && MeetsGoal(ratio, kFloorGoalRatio);
    std::printf("  %6d rows: open %8.1f ms, floor %7.1f ms, ratio %6.2f  (goal under %.0f ms and "
                "at most %.0fx: %s)\n",
                rows, open, floor, ratio.value_or(0), kOpenGoalMs, kFloorGoalRatio, Verdict(met));
  }
  std::printf("in the %d-row list, medians:\n", kLargest);
  for (const char* action : {"select", "add", "delete"}) {
    double ms = Median(figures.large_list_ms.at(action));
    std::printf("  %-10s %8.1f ms  (goal under %.0f ms: %s)\n", action, ms, kListActionGoalMs,
                Verdict(ms < kListActionGoalMs));
  }
  double save = Median(figures.large_list_ms.at("save"));
  std::printf("  %-10s %8.1f ms  (goal under %.0f ms: %s)\n", "save", save, kSaveGoalMs,
              Verdict(save < kSaveGoalMs));
  std::printf("  %-10s %8.1f ms\n", "open again", Median(figures.large_list_ms.at("open again")));
  double command_line = Median(figures.large_list_ms.at("command line"));
  std::printf("  open from the command line, from the main window showing: %.1f ms, ratio to the "
              "floor %.2f  (goal under %.0f ms: %s)\n",
              command_line, Ratio(command_line, figures.floor_ms.at(kLargest)).value_or(0),
              kOpenGoalMs, Verdict(command_line < kOpenGoalMs));
  std::printf("peak working set with the %d-row list open, highest of the rounds: %.1f MB  (goal "
              "under %.0f MB: %s)\n",
              kLargest, figures.peak_mb, kPeakGoalMb, Verdict(figures.peak_mb < kPeakGoalMb));
}

int Run(int rounds) {
  const std::wstring tarvik = PathBesideThisProgram(L"tarvik.exe");
  const std::wstring folder = BenchFolder();
  std::printf("list benchmark: %d rounds, each starting tarvik.exe afresh\n", rounds);
  Figures figures;
  for (int rows : kSizes) {
    std::wstring file = folder + L"waypoints-" + std::to_wstring(rows) + L".mkr";
    WriteMarkerFile(file, rows);
    figures.floor_ms[rows] = FloorMs(file, rows);
  }
  for (int round = 1; round <= rounds; ++round) RunRound(round, tarvik, folder, figures);
  PrintSummary(figures);
  std::printf("done\n");
  return 0;
}

}  // namespace
}  // namespace tarvik::bench

int wmain(int argc, wchar_t** argv) {
  // Unbuffered, so that the lines of a run that fails halfway still arrive.
  std::setvbuf(stdout, nullptr, _IONBF, 0);
  int rounds = 3;
  if (argc == 3 && std::wstring(argv[1]) == L"--rounds") {
    auto parsed = tarvik::bench::ParseCount(argv[2], 1, 100);
    if (!parsed) argc = 0;
    else rounds = *parsed;
  }
  if (argc != 1 && argc != 3) {
    std::printf("usage: list_bench [--rounds N]\n");
    return 2;
  }
  try {
    return tarvik::bench::Run(rounds);
  } catch (const std::exception& failure) {
    std::printf("error: %s\n", failure.what());
    return 1;
  }
}
