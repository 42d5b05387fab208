#include "bench/TransitCpu.h"

#include <windows.h>

#include <cstdio>
#include <optional>
#include <stdexcept>
#include <string>

#include "app/win32/WindowClasses.h"
#include "bench/ChildProgram.h"
#include "bench/CpuShare.h"
#include "bench/TransitParts.h"
#include "bench/UnixFiles.h"

namespace tarvik::bench {

namespace {

constexpr double kGoalPercent = 3.0;
using app::win32::kTransitClass;

// The kernel cuts names to 15 characters, and the server may be
// "wineserver64": the name is checked by its start.
ProcStat ReadStat(int pid, const std::string& expected_name) {
  const std::string path = "/proc/" + std::to_string(pid) + "/stat";
  auto stat = ParseProcStat(ReadUnixFile(path));
  if (!stat) throw std::runtime_error(path + " is no stat line");
  if (stat->name.rfind(expected_name, 0) != 0) {
    throw std::runtime_error("pid " + std::to_string(pid) + " is " + stat->name + ", not " +
                             expected_name);
  }
  return *stat;
}

void PrintShare(const char* name, int pid, const ProcStat& start, const ProcStat& end,
                double seconds, int ticks) {
  auto percent = PercentOfOneCore(start, end, seconds, ticks);
  if (!percent) throw std::runtime_error(std::string("no CPU share for ") + name);
  std::printf("%s (pid %d): %.2f%% of one core over %.1f s (%llu ticks user, %llu system)\n", name,
              pid, *percent, seconds,
              static_cast<unsigned long long>(end.user_ticks - start.user_ticks),
              static_cast<unsigned long long>(end.system_ticks - start.system_ticks));
  if (std::string(name) == "tarvik.exe") {
    std::printf("goal: tarvik.exe under %.0f%% of one core: %s\n", kGoalPercent,
                *percent < kGoalPercent ? "met" : "NOT met");
  }
}

// The window must still be measuring at the end, or a quiet interval
// proves nothing.
bool TransitStillShown() {
  HWND transit = FindWindowW(kTransitClass, nullptr);
  if (!transit || !IsWindowVisible(transit)) return false;
  std::printf("at the end the Transit window shows DX %s, latitude %s\n",
              Shown(TransitPart(transit, "Text_DX")).c_str(),
              Shown(TransitPart(transit, "TextLatitude")).c_str());
  return true;
}

}  // namespace

int MeasureCpuShare(const TransitOptions& options) {
  const ProcStat tarvik_start = ReadStat(options.tarvik_pid, "tarvik.exe");
  const ProcStat server_start = ReadStat(options.wineserver_pid, "wineserver");
  Stopwatch clock;
  Sleep(static_cast<DWORD>(options.seconds) * 1000);
  const ProcStat tarvik_end = ReadStat(options.tarvik_pid, "tarvik.exe");
  const ProcStat server_end = ReadStat(options.wineserver_pid, "wineserver");
  const double seconds = clock.ElapsedMs() / 1000;
  PrintShare("tarvik.exe", options.tarvik_pid, tarvik_start, tarvik_end, seconds,
             options.clock_ticks);
  PrintShare("wineserver", options.wineserver_pid, server_start, server_end, seconds,
             options.clock_ticks);
  if (!TransitStillShown()) {
    std::printf("error: the Transit window was gone at the end\n");
    return 1;
  }
  return 0;
}

}  // namespace tarvik::bench
