// Feeds arbitrary bytes to the CSV waypoint reader. Every input ends either
// as a refusal with a reason or as waypoints the list can hold: a name
// without tabs or line ends, coordinates that pass Add's checks; and
// nothing is both taken and skipped.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "waypoints/Coordinates.h"
#include "waypoints/exchange/CsvWaypoints.h"

namespace {

void Check(bool condition) {
  if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace tarvik::waypoints;
  std::string_view bytes(reinterpret_cast<const char*>(data), size);
  auto outcome = exchange::ReadCsvWaypoints(bytes);
  if (outcome.refusal) {
    Check(!outcome.refusal->reason.empty());
    Check(outcome.batch.waypoints.empty() && outcome.batch.skipped.empty());
    return 0;
  }
  int last_line = 0;
  for (const auto& imported : outcome.batch.waypoints) {
    const Waypoint& w = imported.waypoint;
    Check(!w.Name.empty() && w.Name.find_first_of("\t\r\n") == std::string::npos);
    Check(w.Name.front() != ' ' && w.Name.back() != ' ');
    Check(IsValidLatitude(w.Latitude) && IsValidLongitude(w.Longitude));
    Check(imported.line > last_line);
    last_line = imported.line;
  }
  for (const auto& skipped : outcome.batch.skipped) Check(skipped.line >= 1);
  return 0;
}
