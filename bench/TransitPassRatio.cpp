#include "bench/TransitPassRatio.h"

#include <cstdio>
#include <vector>

#include "bench/ChildProgram.h"
#include "bench/FillerDesktop.h"
#include "bench/StartupPlan.h"
#include "bench/TransitParts.h"

namespace tarvik::bench {

namespace {

constexpr double kGoalRatio = 1.3;

template <class Work>
double Microseconds(Work work) {
  Stopwatch clock;
  work();
  return clock.ElapsedMs() * 1000;
}

const char* Found(platform::WindowHandle window) { return window ? "found" : "NOT FOUND"; }

bool AllFound(const target::Module1& finder) {
  std::printf("the pass found: Camera %s, Object %s, Placement %s\n", Found(finder.CameraWnd),
              Found(finder.ObjectWnd), Found(finder.PlacementWnd));
  return finder.CameraWnd && finder.ObjectWnd && finder.PlacementWnd;
}

}  // namespace

bool ReportWhatTheWindowShows(const InProcessTransit& transit) {
  HWND window = transit.Window();
  const auto& texts = transit.Texts();
  std::printf("read from the Route Editor: camera %s %s %s, placement %s %s %s\n",
              texts.CameraX.c_str(), texts.CameraY.c_str(), texts.CameraZ.c_str(),
              texts.PlacementX.c_str(), texts.PlacementY.c_str(), texts.PlacementZ.c_str());
  std::printf("the window shows: DX %s %s, DZ %s %s, DY %s %s, latitude %s, longitude %s\n",
              Shown(TransitPart(window, "Text_DX")).c_str(),
              Shown(TransitPart(window, "DXLabel")).c_str(),
              Shown(TransitPart(window, "Text_DZ")).c_str(),
              Shown(TransitPart(window, "DZLabel")).c_str(),
              Shown(TransitPart(window, "Text_DY")).c_str(),
              Shown(TransitPart(window, "DYLabel")).c_str(),
              Shown(TransitPart(window, "TextLatitude")).c_str(),
              Shown(TransitPart(window, "TextLongitude")).c_str());
  HWND info = TransitPart(window, "Label_Info");
  const bool message_shown = info && IsWindowVisible(info);
  if (message_shown) std::printf("the window shows its message: %s\n", Shown(info).c_str());
  auto filled = [&](const char* name) {
    auto text = TextOf(TransitPart(window, name));
    return text && !text->empty();
  };
  return !message_shown && filled("Text_DX") && filled("TextLatitude");
}

int RunPassRatio(InProcessTransit& transit, int rounds) {
  transit.Pass();
  transit.PumpAndPaint();
  const bool found = AllFound(transit.Finder());
  const bool shown = ReportWhatTheWindowShows(transit);
  if (!found || !shown) {
    std::printf("error: the measuring pass did not do its work; no ratio to report\n");
    return 1;
  }
  std::vector<double> pass, bare;
  for (int round = 0; round < rounds; ++round) {
    auto time_pass = [&] { pass.push_back(Microseconds([&] { transit.Pass(); })); };
    auto time_bare = [&] { bare.push_back(Microseconds([] { BareScan(); })); };
    // Each goes first in every other round: drift in the machine weighs
    // on both alike.
    if (round % 2 == 0) {
      time_pass();
      time_bare();
    } else {
      time_bare();
      time_pass();
    }
    // Painting is not part of the pass; it happens between rounds.
    transit.PumpAndPaint();
  }
  const double pass_median = Median(pass);
  const double bare_median = Median(bare);
  const auto ratio = Ratio(pass_median, bare_median);
  if (!ratio) {
    std::printf("error: the bare scan took no measurable time; no ratio to report\n");
    return 1;
  }
  std::printf("measuring pass median %.0f us, bare scan median %.0f us, ratio %.2f (%d rounds)\n",
              pass_median, bare_median, *ratio, rounds);
  std::printf("goal: ratio at most %.1f: %s\n", kGoalRatio,
              MeetsGoal(ratio, kGoalRatio) ? "met" : "NOT met");
  return 0;
}

}  // namespace tarvik::bench
