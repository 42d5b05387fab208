// How long tarvik.exe is frozen by a command against a target program that
// has stopped answering: from the command to Tarvik's main window
// answering a sent message again (with its warning up, whose loop
// answers). Each round starts a stand-in with --hang-after-start and Tarvik
// afresh, so that the target has only just stopped: the system does not
// yet count it as hung and every message to it waits its time limit.
//
// freeze_bench.exe [--rounds N]   N rounds of each case (3); the goal is
//                                 1.5 s for each command
// Also the RE Transit window beside a Route Editor that has just stopped:
// the longest Tarvik takes to answer while its passes run.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <exception>
#include <functional>
#include <optional>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "bench/StartupPlan.h"
#include "bench/TarvikBesideHungTarget.h"
#include "bench/WholeNumber.h"
#include "platform/win32/Utf.h"

namespace {

using tarvik::bench::Stopwatch;
using tarvik::bench::TarvikBesideHungTarget;

constexpr int kTimeoutMs = 30000;
constexpr double kGoalMs = 1500;
constexpr int kRouteEditor = 0;
constexpr int kMosaic = 1;
constexpr int kUSAPhotoMaps = 2;
// How long the Transit window is watched beside the silent Route Editor:
// past the five seconds after which the system counts it as hung.
constexpr double kTransitWatchMs = 8000;

struct Standin {
  const wchar_t* exe;
  const wchar_t* main_class;
};
constexpr Standin kRouteEditorStandin{L"routeeditor.exe", L"TrainSim"};
constexpr Standin kMosaicStandin{L"mosaic.exe", L"MosaicStandinFrame"};
constexpr Standin kPhotoMapsStandin{L"usaphotomaps.exe", L"USAPhotoMaps"};

struct Samples {
  explicit Samples(std::string what) : what(std::move(what)) {}
  std::string what;
  std::vector<double> ms;
  std::wstring message;
};

void Record(Samples& samples, const TarvikBesideHungTarget::Freeze& freeze) {
  samples.ms.push_back(freeze.ms);
  samples.message = freeze.message;
}

void TypeFalls(const TarvikBesideHungTarget& tarvik) {
  tarvik.Type(L"Falls", L"48.50718", L"-111.86247");
}

// Add jumps to the new waypoint: with the Route Editor, the first jump of
// the run. Then Grab.
void RouteEditorRound(Samples& jump, Samples& grab) {
  TarvikBesideHungTarget tarvik(kRouteEditorStandin.exe, kRouteEditorStandin.main_class, kTimeoutMs);
  tarvik.ChooseTarget(kRouteEditor);
  TypeFalls(tarvik);
  Record(jump, tarvik.Measure([&] { return tarvik.PostClick("Command_New"); }));
  Record(grab, tarvik.Measure([&] { return tarvik.PostClick("Command_Grab"); }));
}

void MosaicRound(Samples& jump, Samples& grab) {
  TarvikBesideHungTarget tarvik(kMosaicStandin.exe, kMosaicStandin.main_class, kTimeoutMs);
  tarvik.ChooseTarget(kMosaic);
  TypeFalls(tarvik);
  Record(jump, tarvik.Measure([&] { return tarvik.PostClick("Command_New"); }));
  Record(grab, tarvik.Measure([&] { return tarvik.PostClick("Command_Grab"); }));
}

// USAPhotoMaps offers no Add: the waypoint is added with Mosaic chosen,
// which is not running and only asks to be opened.
void PhotoMapsRound(Samples& jump) {
  TarvikBesideHungTarget tarvik(kPhotoMapsStandin.exe, kPhotoMapsStandin.main_class, kTimeoutMs);
  tarvik.ChooseTarget(kMosaic);
  TypeFalls(tarvik);
  tarvik.Measure([&] { return tarvik.PostClick("Command_New"); });
  tarvik.ChooseTarget(kUSAPhotoMaps);
  Record(jump, tarvik.Measure([&] { return tarvik.PostPickFirstRow(); }));
}

// The longest wait for an answer from Tarvik's main window while the open
// Transit window's passes run.
void TransitRound(Samples& longest) {
  TarvikBesideHungTarget tarvik(kRouteEditorStandin.exe, kRouteEditorStandin.main_class, kTimeoutMs);
  if (!tarvik.PostClick("Command_Transit")) throw std::runtime_error("no Transit button");
  double worst = 0;
  Stopwatch watch;
  while (watch.ElapsedMs() < kTransitWatchMs) {
    Stopwatch asked;
    DWORD_PTR ignored = 0;
    if (!SendMessageTimeoutW(tarvik.Main(), WM_NULL, 0, 0, SMTO_NORMAL, kTimeoutMs, &ignored)) {
      throw std::runtime_error("Tarvik stopped answering");
    }
    worst = std::max(worst, asked.ElapsedMs());
    Sleep(10);
  }
  longest.ms.push_back(worst);
}

void Report(const Samples& samples) {
  std::printf("%-40s", samples.what.c_str());
  for (double ms : samples.ms) std::printf(" %6.0f", ms);
  const double worst = *std::max_element(samples.ms.begin(), samples.ms.end());
  std::printf("  ms; median %.0f, worst %.0f: goal <= %.0f %s", tarvik::bench::Median(samples.ms),
              worst, kGoalMs, worst <= kGoalMs ? "met" : "MISSED");
  if (!samples.message.empty()) {
    std::printf("; \"%s\"", tarvik::platform::win32::Narrow(samples.message).c_str());
  }
  std::printf("\n");
}

int Run(int rounds) {
  Samples re_jump{"first Route Editor jump (Add)"}, re_grab{"Grab, Route Editor"};
  Samples mosaic_jump{"Mosaic jump (Add)"}, mosaic_grab{"Grab, Mosaic"};
  Samples photo_jump{"USAPhotoMaps jump"}, transit{"longest answer beside Transit passes"};
  for (int round = 0; round < rounds; ++round) {
    RouteEditorRound(re_jump, re_grab);
    MosaicRound(mosaic_jump, mosaic_grab);
    PhotoMapsRound(photo_jump);
    TransitRound(transit);
  }
  bool met = true;
  for (const Samples* samples :
       {&re_jump, &mosaic_jump, &photo_jump, &re_grab, &mosaic_grab, &transit}) {
    Report(*samples);
    met = met && *std::max_element(samples->ms.begin(), samples->ms.end()) <= kGoalMs;
  }
  std::printf("goal %s\n", met ? "met" : "missed");
  return met ? 0 : 3;
}

std::optional<int> RoundsFrom(const std::vector<std::wstring>& args) {
  if (args.empty()) return 3;
  if (args.size() == 2 && args[0] == L"--rounds") return tarvik::bench::ParseCount(args[1], 1, 100);
  return std::nullopt;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  const auto rounds = RoundsFrom(std::vector<std::wstring>(argv + 1, argv + argc));
  if (!rounds) {
    std::printf("usage: freeze_bench.exe [--rounds N]\n");
    return 2;
  }
  try {
    const int status = Run(*rounds);
    std::fflush(stdout);
    return status;
  } catch (const std::exception& error) {
    std::printf("error: %s\n", error.what());
    return 1;
  }
}
