#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "waypoints/WaypointRow.h"

namespace tarvik::waypoints::exchange {

// Why something in a file did not become a row; the summary lists them in
// this order.
enum class SkipReason {
  NotAPosition,   // its latitude or longitude is not a number within range
  NoPointOrLine,  // a placemark with neither a point nor a line
  EmptyTrackPoint,  // a KML track's coord that holds nothing
  AlreadyInList,  // the same row is in the list already
};

struct Skipped {
  SkipReason reason;
  int line;  // where in the file it stands, from 1
};

struct ImportedWaypoint {
  Waypoint waypoint;
  int line;
};

// What one file gave, in file order.
struct ImportBatch {
  std::vector<ImportedWaypoint> waypoints;
  std::vector<Skipped> skipped;
  // Lines for the summary on how the file was read (which columns, which
  // encoding) and what was changed to fit the list.
  std::vector<std::string> notes;
};

// A file that cannot be read as its kind: the end of the sentence
// "could not be imported: <reason>.".
struct ImportRefusal {
  std::string reason;
};

struct ImportOutcome {
  ImportBatch batch;
  std::optional<ImportRefusal> refusal;
};

// The Extra of every imported row, as of a row added by hand.
inline constexpr const char* kImportedExtra = "2";

// Collects a file's waypoints with their names and coordinates made fit for
// the list; what does not fit is counted as skipped.
class BatchBuilder {
 public:
  // The waypoint's coordinates come as found in the file and are normalised
  // here; an empty name becomes "WP <n>", n its number among the file's
  // waypoints; a double quote in a name becomes an apostrophe.
  void Add(std::string_view raw_name, std::string_view latitude, std::string_view longitude,
           int line);
  // Coordinates already in degrees (nullopt: not readable as a coordinate).
  void AddDegrees(std::string_view raw_name, std::optional<double> latitude,
                  std::optional<double> longitude, int line);
  void Skip(SkipReason reason, int line);
  void Note(std::string note);

  // The cleaned name, or "WP <n>" for the waypoint that comes next.
  std::string NameOrNumber(std::string_view raw_name) const;

  // The points of one track, line or route are named "<base> <n>", n
  // counted from 1 (base as NameOrNumber gives it). Once the last is in,
  // every n gets leading zeros to the width of the largest, so that the
  // list's name order is the track's order.
  void BeginNumbered(std::string_view raw_base);
  // The next point's name, to be added right away; points that are skipped
  // keep their number.
  std::string NextNumbered();
  void EndNumbered();

  ImportBatch Take();
  // Waypoints met so far, skipped ones included.
  int Met() const { return count_; }

 private:
  void Keep(std::string_view raw_name, std::optional<std::string> latitude,
            std::optional<std::string> longitude, int line);

  ImportBatch batch_;
  int count_ = 0;  // waypoints met so far, skipped ones included
  int requoted_ = 0;  // waypoints taken whose names had double quotes
  struct Numbered {
    std::string base;
    std::size_t first = 0;  // the group's first waypoint in batch_
    int count = 0;
  };
  std::optional<Numbered> numbered_;
};

}  // namespace tarvik::waypoints::exchange
