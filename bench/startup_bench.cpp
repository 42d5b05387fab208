// Start-up benchmark: how long tarvik.exe takes from process start to its
// main window shown, less its fixed splash wait, against a minimal Win32
// program that opens one window, both under the same Wine in one run.
#include <windows.h>

#include <cstdio>
#include <exception>
#include <stdexcept>
#include <string>
#include <variant>
#include <vector>

#include "app/win32/WindowClasses.h"
#include "bench/ChildProgram.h"
#include "bench/MinimalWindow.h"
#include "bench/StartupPlan.h"

namespace tarvik::bench {
namespace {

// tarvik.exe sleeps this long with its splash up (TarvikApp.cpp); the wait
// is by design, so it is not counted as start-up work.
constexpr double kSplashWaitMs = 2000;
constexpr double kGoalRatio = 1.5;
constexpr DWORD kCloseWaitMs = 10000;

struct Target {
  const char* label;
  std::wstring path;
  const wchar_t* window_class;
  const wchar_t* splash_class;
  double deducted_ms;
};

struct Samples {
  std::vector<double> net_ms;
  std::vector<double> to_splash_ms;
  std::vector<double> splash_ms;
  std::vector<double> splash_to_main_ms;
};

// One start of a program: the sample, after the program has been closed
// again so that it does not slow down the next start.
WindowTimes Measure(const Target& target, const Options& options) {
  try {
    Stopwatch clock;
    ChildProgram program(target.path, clock);
    WindowTimes times =
        WaitForWindow(program, target.window_class, target.splash_class, clock, options.timeout_ms);
    if (program.Close(times.window, kCloseWaitMs) == Ending::Terminated) {
      std::printf("note: %s did not close within %lu ms and was terminated\n", target.label,
                  kCloseWaitMs);
    }
    return times;
  } catch (const std::runtime_error& failure) {
    throw std::runtime_error(std::string(target.label) + ": " + failure.what());
  }
}

void Record(const Target& target, const WindowTimes& times, Samples& samples) {
  samples.net_ms.push_back(times.shown_ms - target.deducted_ms);
  if (times.earlier_shown_ms && times.earlier_gone_ms) {
    samples.to_splash_ms.push_back(*times.earlier_shown_ms);
    samples.splash_ms.push_back(*times.earlier_gone_ms - *times.earlier_shown_ms);
    samples.splash_to_main_ms.push_back(times.shown_ms - *times.earlier_gone_ms);
  }
}

void PrintSample(const char* round, const Target& target, const WindowTimes& times) {
  if (!target.splash_class) {
    std::printf("%s %s: %.1f ms\n", round, target.label, times.shown_ms);
    return;
  }
  std::printf("%s %s: %.1f ms, less splash wait %.1f ms (splash shown %.1f, gone %.1f ms)\n", round,
              target.label, times.shown_ms, times.shown_ms - target.deducted_ms,
              times.earlier_shown_ms.value_or(-1), times.earlier_gone_ms.value_or(-1));
}

void PrintMedian(const char* what, const std::vector<double>& values) {
  if (!values.empty()) std::printf("median %s: %.1f ms\n", what, Median(values));
}

void PrintSummary(const Samples& tarvik, const Samples& minimal) {
  double tarvik_ms = Median(tarvik.net_ms);
  double minimal_ms = Median(minimal.net_ms);
  PrintMedian("minimal", minimal.net_ms);
  PrintMedian("tarvik less splash wait", tarvik.net_ms);
  PrintMedian("tarvik start to splash shown", tarvik.to_splash_ms);
  PrintMedian("tarvik splash shown to gone", tarvik.splash_ms);
  PrintMedian("tarvik splash gone to main shown", tarvik.splash_to_main_ms);
  std::optional<double> ratio = Ratio(tarvik_ms, minimal_ms);
  if (ratio)
    std::printf("ratio tarvik/minimal: %.2f\n", *ratio);
  else
    std::printf("ratio tarvik/minimal: undefined\n");
  std::printf("goal ratio at most %.1f: %s\n", kGoalRatio,
              MeetsGoal(ratio, kGoalRatio) ? "met" : "NOT met");
}

Target TarvikTarget(const Options& options) {
  std::wstring path = options.tarvik_path;
  if (path.empty()) path = PathBesideThisProgram(L"tarvik.exe");
  return {"tarvik", path, app::win32::kMainClass, app::win32::kSplashClass, kSplashWaitMs};
}

Target MinimalTarget(const Options& options) {
  std::wstring path = options.minimal_path;
  if (path.empty()) path = PathBesideThisProgram(L"minimal_window.exe");
  return {"minimal", path, kMinimalClass, nullptr, 0};
}

int Run(const Options& options) {
  const Target tarvik = TarvikTarget(options);
  const Target minimal = MinimalTarget(options);
  std::printf("start-up benchmark: %d rounds after %d warm-up, order alternating\n", options.rounds,
              options.warmup_rounds);
  Samples tarvik_samples;
  Samples minimal_samples;
  for (int round = -options.warmup_rounds; round < options.rounds; ++round) {
    std::string name = round < 0 ? "warm-up" : "round " + std::to_string(round + 1);
    for (Program which : RoundOrder(round + options.warmup_rounds)) {
      bool is_tarvik = which == Program::Tarvik;
      const Target& target = is_tarvik ? tarvik : minimal;
      WindowTimes times = Measure(target, options);
      PrintSample(name.c_str(), target, times);
      if (round >= 0) Record(target, times, is_tarvik ? tarvik_samples : minimal_samples);
    }
  }
  PrintSummary(tarvik_samples, minimal_samples);
  return 0;
}

}  // namespace
}  // namespace tarvik::bench

int wmain(int argc, wchar_t** argv) {
  // Unbuffered, so that the lines of a run that fails halfway still arrive.
  std::setvbuf(stdout, nullptr, _IONBF, 0);
  std::vector<std::wstring> args(argv + 1, argv + argc);
  auto parsed = tarvik::bench::ParseOptions(args);
  if (auto* error = std::get_if<std::string>(&parsed)) {
    std::printf(
        "%s\nusage: startup_bench [--rounds N] [--warmup N] [--timeout-ms N] "
        "[--tarvik PATH] [--minimal PATH]\n",
        error->c_str());
    return 2;
  }
  try {
    return tarvik::bench::Run(std::get<tarvik::bench::Options>(parsed));
  } catch (const std::exception& failure) {
    std::printf("error: %s\n", failure.what());
    return 1;
  }
}
