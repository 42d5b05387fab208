// Feeds arbitrary bytes to the CSV waypoint reader. Every input ends either
// as a refusal with a reason or as waypoints the list can hold and a Marker
// file keeps: a name without tabs, line ends or double quotes, coordinates
// that pass Add's checks; nothing is both taken and skipped; the summary
// says which columns were taken; a table read without a header skips no
// row; and bytes that are not UTF-8 read as their Windows-1252 text in
// UTF-8 reads, but for the note that says so.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "waypoints/Coordinates.h"
#include "waypoints/exchange/CsvWaypoints.h"
#include "waypoints/exchange/Windows1252.h"

namespace {

using namespace tarvik::waypoints;

constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";

void Check(bool condition) {
  if (!condition) std::abort();
}

bool SameOutcome(const exchange::ImportOutcome& a, const exchange::ImportOutcome& b) {
  if (a.refusal.has_value() != b.refusal.has_value()) return false;
  if (a.batch.waypoints.size() != b.batch.waypoints.size()) return false;
  for (size_t i = 0; i < a.batch.waypoints.size(); ++i) {
    if (a.batch.waypoints[i].waypoint != b.batch.waypoints[i].waypoint ||
        a.batch.waypoints[i].line != b.batch.waypoints[i].line) {
      return false;
    }
  }
  if (a.batch.skipped.size() != b.batch.skipped.size()) return false;
  for (size_t i = 0; i < a.batch.skipped.size(); ++i) {
    if (a.batch.skipped[i].line != b.batch.skipped[i].line) return false;
  }
  return true;
}

void CheckTaken(const exchange::ImportOutcome& outcome) {
  if (outcome.refusal) {
    Check(!outcome.refusal->reason.empty());
    Check(outcome.batch.waypoints.empty() && outcome.batch.skipped.empty());
    return;
  }
  const auto& notes = outcome.batch.notes;
  Check(!notes.empty());
  const bool headerless = notes[0].starts_with("No header line: latitude from column 1, ");
  Check(headerless || notes[0].starts_with("Latitude from column "));
  int last_line = 0;
  for (const auto& imported : outcome.batch.waypoints) {
    const Waypoint& w = imported.waypoint;
    Check(!w.Name.empty() && w.Name.find_first_of("\t\r\n\"") == std::string::npos);
    Check(w.Name.front() != ' ' && w.Name.back() != ' ');
    Check(IsValidLatitude(w.Latitude) && IsValidLongitude(w.Longitude));
    Check(imported.line > last_line);
    Check(headerless || imported.line > 1);
    last_line = imported.line;
  }
  Check(!headerless || outcome.batch.skipped.empty());
  for (const auto& skipped : outcome.batch.skipped) Check(skipped.line >= 1);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string_view bytes(reinterpret_cast<const char*>(data), size);
  auto outcome = exchange::ReadCsvWaypoints(bytes);
  CheckTaken(outcome);
  if (!bytes.starts_with(kUtf8Mark) && exchange::FirstNonUtf8Line(bytes)) {
    auto as_utf8 = exchange::ReadCsvWaypoints(exchange::Windows1252ToUtf8(bytes));
    Check(SameOutcome(outcome, as_utf8));
    if (!outcome.refusal) {
      auto notes = as_utf8.batch.notes;
      notes.insert(notes.begin() + 1, "The file is not UTF-8 text; it was read as Windows-1252.");
      Check(outcome.batch.notes == notes);
    }
  }
  return 0;
}
