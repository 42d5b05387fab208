// One Route Editor search through the program's window finder, as a ratio
// to a bare EnumWindows/EnumChildWindows loop that reads the same class
// names and texts, on a desktop of the Route Editor stand-in plus 50 filler
// top-level windows of 40 descendants each, measured in one run.
//
// finder_bench.exe [--rounds N]     runs the benchmark; it starts a second
//                                   copy of itself to hold the fillers, and
//                                   routeeditor.exe from its own folder
// finder_bench.exe --fillers        holds the filler windows until closed
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <exception>
#include <string>
#include <vector>

#include "bench/FillerDesktop.h"
#include "platform/win32/Win32WindowSystem.h"
#include "target/Module1.h"

namespace {

using tarvik::bench::BareScan;

template <class Work>
double MedianMicroseconds(int rounds, Work work) {
  std::vector<double> samples;
  for (int i = 0; i < rounds; ++i) {
    auto start = std::chrono::steady_clock::now();
    work();
    std::chrono::duration<double, std::micro> elapsed = std::chrono::steady_clock::now() - start;
    samples.push_back(elapsed.count());
  }
  std::sort(samples.begin(), samples.end());
  return samples[samples.size() / 2];
}

int RunBenchmark(int rounds) {
  tarvik::bench::FillerDesktop desktop(L"finder_bench.exe");

  tarvik::platform::win32::Win32WindowSystem windows;
  tarvik::target::Module1 finder(windows);
  finder.FindRouteEditorWindows();
  std::printf("Camera %s, Object %s, Placement %s\n", finder.CameraWnd ? "found" : "not found",
              finder.ObjectWnd ? "found" : "not found",
              finder.PlacementWnd ? "found" : "not found");

  // Alternate the two, and which goes first, so that drift in the machine
  // and any warming of caches affect both alike.
  std::vector<double> search, bare;
  for (int i = 0; i < rounds; ++i) {
    auto time_search = [&] { search.push_back(MedianMicroseconds(1, [&] { finder.FindRouteEditorWindows(); })); };
    auto time_bare = [&] { bare.push_back(MedianMicroseconds(1, [] { BareScan(); })); };
    if (i % 2 == 0) {
      time_search();
      time_bare();
    } else {
      time_bare();
      time_search();
    }
  }
  std::sort(search.begin(), search.end());
  std::sort(bare.begin(), bare.end());
  double s = search[search.size() / 2];
  double b = bare[bare.size() / 2];
  std::printf("FindRouteEditorWindows median %.0f us, bare scan median %.0f us, ratio %.2f (%d rounds)\n",
              s, b, s / b, rounds);
  return 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  int rounds = 31;
  bool fillers = false;
  for (int i = 1; i < argc; ++i) {
    std::wstring arg = argv[i];
    if (arg == L"--fillers") fillers = true;
    if (arg == L"--rounds" && i + 1 < argc) rounds = std::max(1, _wtoi(argv[++i]));
  }
  try {
    return fillers ? tarvik::bench::HoldFillerWindows() : RunBenchmark(rounds);
  } catch (const std::exception& error) {
    std::printf("error: %s\n", error.what());
    return 1;
  }
}
