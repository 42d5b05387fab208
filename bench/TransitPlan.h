#pragma once

#include <span>
#include <string>
#include <variant>

// The RE Transit benchmark's command line, free of Windows calls so that
// the native build tests it too.
namespace tarvik::bench {

enum class TransitMode {
  // The measuring pass against a bare scan, then the soak.
  Benchmark,
  // Holds the filler windows until told to quit.
  Fillers,
  // Presses the running Tarvik's Transit button and checks its window.
  OpenTransit,
  // Watches the CPU time of two Linux processes over an interval.
  CpuShare,
};

struct TransitOptions {
  TransitMode mode = TransitMode::Benchmark;
  int rounds = 31;
  // Zero leaves the soak out.
  int soak_passes = 20000;
  int timeout_ms = 30000;
  // For CpuShare: Linux process ids, the interval, and the kernel's clock
  // ticks per second, which a Windows program cannot ask the kernel for.
  int tarvik_pid = 0;
  int wineserver_pid = 0;
  int seconds = 60;
  int clock_ticks = 100;
};

// The options, or the reason the arguments were refused.
std::variant<TransitOptions, std::string> ParseTransitOptions(std::span<const std::wstring> args);

}  // namespace tarvik::bench
