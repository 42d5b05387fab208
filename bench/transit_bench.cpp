// The RE Transit window's measuring pass, in this process, on a desktop of
// the Route Editor stand-in plus 50 filler top-level windows of 40
// descendants each: its time as a ratio to a bare scan of the same windows,
// then a soak of many passes, without the fillers, watching for growing
// resources. Two further modes serve the CPU measurement of a running
// tarvik.exe.
//
// transit_bench.exe [--rounds N] [--soak N]   the ratio (31 rounds), then
//                                            the soak (20,000 passes; 0:
//                                            none); starts a second copy
//                                            of itself to hold the fillers,
//                                            and routeeditor.exe beside it
// transit_bench.exe --fillers                 holds the filler windows
// transit_bench.exe --open-transit            presses Transit in tarvik.exe
// transit_bench.exe --cpu-share --tarvik-pid P --wineserver-pid W
//                   [--seconds 60] [--clock-ticks 100]
//                                            CPU of the two Linux processes
#include <windows.h>

#include <cstdio>
#include <exception>
#include <string>
#include <variant>
#include <vector>

#include "bench/FillerDesktop.h"
#include "bench/InProcessTransit.h"
#include "bench/TransitCpu.h"
#include "bench/TransitOpen.h"
#include "bench/TransitPassRatio.h"
#include "bench/TransitPlan.h"
#include "bench/TransitSoak.h"

namespace {

using tarvik::bench::TransitMode;
using tarvik::bench::TransitOptions;

int RunBenchmark(const TransitOptions& options) {
  tarvik::bench::FillerDesktop desktop(L"transit_bench.exe");
  tarvik::bench::InProcessTransit transit;
  const int status = tarvik::bench::RunPassRatio(transit, options.rounds);
  if (status != 0 || options.soak_passes == 0) return status;
  // A pass over the fillers takes about a sixth of a second under Wine, so
  // 20,000 of them would take an hour; and the fillers hold nothing of this
  // process that could grow.
  desktop.EndFillers();
  std::printf("fillers closed; the soak runs beside the Route Editor stand-in alone\n");
  return tarvik::bench::RunSoak(transit, options.soak_passes);
}

int Run(const TransitOptions& options) {
  switch (options.mode) {
    case TransitMode::Benchmark:
      return RunBenchmark(options);
    case TransitMode::Fillers:
      return tarvik::bench::HoldFillerWindows();
    case TransitMode::OpenTransit:
      return tarvik::bench::OpenTarvikTransit(options.timeout_ms);
    case TransitMode::CpuShare:
      return tarvik::bench::MeasureCpuShare(options);
  }
  return 1;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  std::vector<std::wstring> args(argv + 1, argv + argc);
  auto parsed = tarvik::bench::ParseTransitOptions(args);
  if (auto* refusal = std::get_if<std::string>(&parsed)) {
    std::printf("usage: transit_bench.exe [--rounds N] [--soak N] | --fillers | --open-transit | "
                "--cpu-share --tarvik-pid P --wineserver-pid W [--seconds S] [--clock-ticks T]\n"
                "error: %s\n",
                refusal->c_str());
    return 2;
  }
  try {
    const int status = Run(std::get<TransitOptions>(parsed));
    std::fflush(stdout);
    return status;
  } catch (const std::exception& error) {
    std::printf("error: %s\n", error.what());
    return 1;
  }
}
