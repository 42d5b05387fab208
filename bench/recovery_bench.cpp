// Unsaved work in tarvik.exe under Wine, in one run: how long the window's
// thread stops answering while the recovery copy of a 100,000-row list is
// written; Undo and Redo of an 80,000-row import into a 20,000-row list;
// and the time from start to the question that offers a 100,000-row copy
// back, beside a start with nothing to offer. Each round starts the program
// afresh. Prints figures; asserts nothing.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <optional>
#include <random>
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
#include "tests/win32/e2e/FileDialog.h"
#include "tests/win32/e2e/UnsavedWork.h"
#include "waypoints/MarkerFile.h"

namespace tarvik::bench {
namespace {

using platform::win32::Narrow;

constexpr int kListRows = 100000;
constexpr int kImportedRows = 80000;
constexpr int kBaseRows = 20000;
constexpr DWORD kStartLimitMs = 30000;
constexpr DWORD kCommandLimitMs = 120000;
constexpr DWORD kBoxLimitMs = 10000;
constexpr DWORD kCloseWaitMs = 10000;
constexpr double kIdleProbeMs = 1000;

constexpr double kPauseGoalMs = 50;
constexpr double kUndoGoalMs = 500;

void Require(bool condition, const std::string& what) {
  if (!condition) throw std::runtime_error(what);
}

bool CopyWritten() {
  std::error_code error;
  for (const auto& entry : std::filesystem::directory_iterator(e2e::RecoveryFolder(), error)) {
    if (entry.path().extension() == L".mkr") return true;
  }
  return false;
}

void WriteFile(const std::wstring& path, const std::vector<std::uint8_t>& bytes) {
  platform::win32::Win32Files files;
  files.Delete(Narrow(path));
  Require(files.CreateNew(Narrow(path), bytes) == platform::FileStatus::Ok,
          "cannot write " + Narrow(path));
}

// Waypoints as a spreadsheet exports them, none of them in the base list.
std::vector<std::uint8_t> ImportedTable() {
  std::mt19937 random(3);
  std::uniform_real_distribution<double> latitude(-90, 90), longitude(-180, 180);
  std::string table = "name,lat,lon\n";
  char line[96];
  for (int i = 0; i < kImportedRows; ++i) {
    std::snprintf(line, sizeof line, "Track point %d,%.6f,%.6f\n", i, latitude(random),
                  longitude(random));
    table += line;
  }
  return {table.begin(), table.end()};
}

// The window's longest silence while `until` is false: a message sent over
// and over, each answer timed.
struct Pauses {
  double longest_ms = 0;
  double until_ms = 0;
  int probes = 0;
};

template <class Until>
Pauses ProbeUntil(HWND window, Until until, double limit_ms) {
  Pauses pauses;
  Stopwatch total;
  while (!until() && total.ElapsedMs() < limit_ms) {
    Stopwatch one;
    DWORD_PTR ignored = 0;
    Require(SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_NORMAL, kCommandLimitMs, &ignored) != 0,
            "the window stopped answering");
    pauses.longest_ms = std::max(pauses.longest_ms, one.ElapsedMs());
    ++pauses.probes;
  }
  pauses.until_ms = total.ElapsedMs();
  return pauses;
}

// One start of tarvik.exe, ended by a kill or by closing without saving.
class Run {
 public:
  explicit Run(const std::wstring& arguments = {})
      : program_(PathBesideThisProgram(L"tarvik.exe"), start_, arguments) {}
  ~Run() {
    if (window_) CloseWithoutSaving();
  }

  double StartedMs() const { return start_.ElapsedMs(); }
  const ChildProgram& Program() const { return program_; }
  TarvikWindow& Window() {
    if (!window_) {
      main_ =
          WaitForWindow(program_, app::win32::kMainClass, nullptr, start_, kStartLimitMs).window;
      window_.emplace(main_, program_.Id());
    }
    return *window_;
  }
  HWND Main() const { return main_; }
  double Taken(const Stopwatch& clock, const char* failure) {
    auto ms = Window().WhenPostedMessagesTaken(clock, kCommandLimitMs);
    Require(ms.has_value(), failure);
    return *ms;
  }
  void Kill() {
    TerminateProcess(program_.Handle(), 1);
    WaitForSingleObject(program_.Handle(), kCloseWaitMs);
    window_.reset();
  }
  void CloseWithoutSaving() {
    PostMessageW(main_, WM_CLOSE, 0, 0);
    if (HWND box = window_->WaitForMessageBox(kBoxLimitMs)) window_->Answer(box, IDNO, kBoxLimitMs);
    WaitForSingleObject(program_.Handle(), kCloseWaitMs);
    window_.reset();
  }

 private:
  Stopwatch start_;
  ChildProgram program_;
  HWND main_ = nullptr;
  std::optional<TarvikWindow> window_;
};

struct Figures {
  std::vector<double> pause_ms, written_ms, idle_pause_ms, undo_ms, redo_ms, question_ms,
      plain_start_ms;
};

void DeleteFirstRow(TarvikWindow& window) {
  std::wstring first = window.ListRow("List_Entire", 0);
  Require(window.SetText("Text_Waypoint", first.substr(0, first.find(L'\t'))),
          "cannot type the name to delete");
  Require(window.PostClick("Command_Delete"), "cannot press Delete");
  HWND question = window.WaitForMessageBox(kBoxLimitMs);
  Require(question != nullptr, "no Delete question");
  // Answered without waiting: the copy is handed over as the command ends.
  PostMessageW(question, WM_COMMAND, MAKEWPARAM(IDYES, BN_CLICKED), 0);
}

void RoundOfTheCopy(const std::wstring& list_file, Figures& figures) {
  e2e::ClearRecoveryFolder();
  {
    Run run(L"\"" + list_file + L"\"");
    TarvikWindow& window = run.Window();
    Stopwatch opening;
    run.Taken(opening, "the open from the command line did not end");
    Require(window.ListCount("List_Entire") == kListRows, "the list is not loaded");
    DeleteFirstRow(window);
    Pauses writing = ProbeUntil(run.Main(), CopyWritten, kCommandLimitMs);
    Require(CopyWritten(), "no copy was written");
    Pauses idle = ProbeUntil(run.Main(), [] { return false; }, kIdleProbeMs);
    figures.pause_ms.push_back(writing.longest_ms);
    figures.written_ms.push_back(writing.until_ms);
    figures.idle_pause_ms.push_back(idle.longest_ms);
    std::printf("  copy of %d rows written %.1f ms after Yes; longest pause meanwhile %.1f ms "
                "(%d answers); idle, longest pause %.1f ms\n",
                kListRows - 1, writing.until_ms, writing.longest_ms, writing.probes,
                idle.longest_ms);
    run.Kill();
  }
  {
    Run run;
    HWND box = nullptr;
    std::optional<double> main_shown_ms;
    while (!(box = FindVisibleWindow(run.Program().Id(), L"#32770"))) {
      Require(run.StartedMs() < kStartLimitMs, "no question at start");
      if (!main_shown_ms && FindVisibleWindow(run.Program().Id(), app::win32::kMainClass)) {
        main_shown_ms = run.StartedMs();
      }
      SwitchToThread();
    }
    figures.question_ms.push_back(run.StartedMs());
    std::printf("  start to the question offering the copy: %.1f ms (main window shown at %.1f "
                "ms)\n",
                figures.question_ms.back(), main_shown_ms.value_or(0));
    PostMessageW(box, WM_COMMAND, MAKEWPARAM(IDNO, BN_CLICKED), 0);
  }
  e2e::ClearRecoveryFolder();
  {
    Run run;
    run.Window();
    figures.plain_start_ms.push_back(run.StartedMs());
    std::printf("  start to the main window, nothing to offer: %.1f ms\n",
                figures.plain_start_ms.back());
  }
}

void RoundOfUndo(const std::wstring& base_file, const std::wstring& table, Figures& figures) {
  Run run(L"\"" + base_file + L"\"");
  TarvikWindow& window = run.Window();
  Stopwatch opening;
  run.Taken(opening, "the open from the command line did not end");
  Require(window.PostMenu("Menu_FileImport"), "cannot choose Import");
  HWND dialog = e2e::WaitForFileDialog(run.Program().Id(), std::chrono::milliseconds(kBoxLimitMs));
  Require(dialog && e2e::EnterFileName(dialog, table), "cannot choose the table");
  HWND summary = nullptr;
  for (Stopwatch waiting; !(summary = window.MessageBox()) || summary == dialog; SwitchToThread()) {
    Require(waiting.ElapsedMs() < kCommandLimitMs, "no Import summary");
  }
  Require(window.Answer(summary, IDOK, kBoxLimitMs), "the summary stayed");
  Require(window.ListCount("List_Entire") == kBaseRows + kImportedRows, "the import is not in");
  for (int twice = 0; twice < 2; ++twice) {
    Stopwatch undo;
    Require(window.PostMenu("Menu_EditUndo"), "cannot choose Undo");
    figures.undo_ms.push_back(run.Taken(undo, "Undo did not end"));
    Require(window.ListCount("List_Entire") == kBaseRows, "Undo left the imported rows");
    Stopwatch redo;
    Require(window.PostMenu("Menu_EditRedo"), "cannot choose Redo");
    figures.redo_ms.push_back(run.Taken(redo, "Redo did not end"));
    Require(window.ListCount("List_Entire") == kBaseRows + kImportedRows, "Redo lost rows");
    std::printf("  undo of the %d-row import %.1f ms, redo %.1f ms\n", kImportedRows,
                figures.undo_ms.back(), figures.redo_ms.back());
  }
}

const char* Verdict(bool met) { return met ? "met" : "NOT met"; }

int Main(int rounds) {
  std::vector<wchar_t> temp(MAX_PATH + 1);
  DWORD length = GetTempPathW(static_cast<DWORD>(temp.size()), temp.data());
  const std::wstring folder = std::wstring(temp.data(), length) + L"tarvik-recovery-bench\\";
  CreateDirectoryW(folder.c_str(), nullptr);
  const std::wstring list_file = folder + L"list.mkr";
  const std::wstring base_file = folder + L"base.mkr";
  const std::wstring table = folder + L"imported.csv";
  WriteFile(list_file, waypoints::EncodeMarkerFile(GeneratedRows(kListRows)));
  WriteFile(base_file, waypoints::EncodeMarkerFile(GeneratedRows(kBaseRows)));
  WriteFile(table, ImportedTable());
  RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\Tarvik");

  Figures figures;
  for (int round = 1; round <= rounds; ++round) {
    std::printf("round %d\n", round);
    RoundOfTheCopy(list_file, figures);
    RoundOfUndo(base_file, table, figures);
  }
  e2e::ClearRecoveryFolder();
  RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\Tarvik");

  const double pause = *std::max_element(figures.pause_ms.begin(), figures.pause_ms.end());
  const double undo = Median(figures.undo_ms);
  const double redo = Median(figures.redo_ms);
  std::printf("\nlongest pause of the window while the copy of %d rows was written, worst of %d "
              "rounds: %.1f ms (goal %.0f ms or less: %s); idle, the same probe's longest: "
              "%.1f ms\n",
              kListRows - 1, rounds, pause, kPauseGoalMs, Verdict(pause <= kPauseGoalMs),
              *std::max_element(figures.idle_pause_ms.begin(), figures.idle_pause_ms.end()));
  std::printf("copy written, median: %.1f ms after the change (goal within 2000 ms: %s)\n",
              Median(figures.written_ms), Verdict(Median(figures.written_ms) <= 2000));
  std::printf("undo of the %d-row import into %d rows, median: %.1f ms (goal under %.0f ms: %s)\n",
              kImportedRows, kBaseRows, undo, kUndoGoalMs, Verdict(undo < kUndoGoalMs));
  std::printf("redo, median: %.1f ms (goal under %.0f ms: %s)\n", redo, kUndoGoalMs,
              Verdict(redo < kUndoGoalMs));
  std::printf("start to the question offering a %d-row copy, median: %.1f ms; start to the main "
              "window with nothing to offer: %.1f ms\n",
              kListRows - 1, Median(figures.question_ms), Median(figures.plain_start_ms));
  std::printf("done\n");
  return 0;
}

}  // namespace
}  // namespace tarvik::bench

int wmain(int argc, wchar_t** argv) {
  std::setvbuf(stdout, nullptr, _IONBF, 0);
  int rounds = 3;
  if (argc == 3 && std::wstring(argv[1]) == L"--rounds") {
    auto parsed = tarvik::bench::ParseCount(argv[2], 1, 100);
    if (!parsed) argc = 0;
    else rounds = *parsed;
  }
  if (argc != 1 && argc != 3) {
    std::printf("usage: recovery_bench [--rounds N]\n");
    return 2;
  }
  try {
    return tarvik::bench::Main(rounds);
  } catch (const std::exception& failure) {
    std::printf("error: %s\n", failure.what());
    return 1;
  }
}
