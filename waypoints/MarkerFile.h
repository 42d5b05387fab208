#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "waypoints/RowBlock.h"
#include "waypoints/WaypointRow.h"

namespace tarvik::waypoints {

inline constexpr std::string_view kMarkerHeader = "SIMISA@@@@@@@@@@JINX0I0t______";

// The longest line a Marker file may hold, in UTF-16 code units: far
// beyond any waypoint's, and short enough that a file that never ends its
// line is refused after a few megabytes rather than held whole.
inline constexpr std::size_t kLongestMarkerLine = 4 * 1024 * 1024;

// `Marker ( <longitude> <latitude> "<name>" <extra> )`, texts as stored.
std::string MarkerLine(const Waypoint& waypoint);

// The whole file: FF FE, the header line, one Marker line per row, CR LF
// after every line and nothing after the last. Rows in the order given.
// Throws std::invalid_argument, writing nothing, for a row whose line the
// reader would refuse or read back as another waypoint: Add, Import and the
// reader never make one, so such a row is a fault to report, not a file to
// spoil.
std::vector<std::uint8_t> EncodeMarkerFile(const std::vector<std::string>& rows);

// The same bytes a piece at a time, the rows fetched one by one as they are
// written, so that neither a copy of a large list nor its whole file need
// be held in memory.
class MarkerFileEncoder {
 public:
  using RowAt = std::function<std::string(std::size_t)>;
  static constexpr std::size_t kPieceBytes = 64 * 1024;

  MarkerFileEncoder(std::size_t row_count, RowAt row_at);
  // Replaces `piece` with the file's next bytes, whole lines of about
  // kPieceBytes; leaves it empty once the file is complete.
  void NextPiece(std::vector<std::uint8_t>& piece);

 private:
  std::size_t row_count_;
  RowAt row_at_;
  std::size_t next_row_ = 0;
  bool header_done_ = false;
};

// True when the bytes start with the UTF-16LE byte-order mark FF FE.
bool StartsWithUnicodeMark(const std::vector<std::uint8_t>& bytes);

enum class LineKind { Ignored, Marker, Malformed };
struct ParsedLine {
  LineKind kind = LineKind::Ignored;
  Waypoint waypoint;  // for a Marker line
};

// One line (without its line end) of a Marker file. A line whose fields
// cannot be held in a row (CanBeField, CanBeExtra) is Malformed.
ParsedLine ParseMarkerLine(std::string_view line);

// The text after the byte-order mark, split into lines: CR LF, a lone CR
// and a lone LF each end a line. nullopt when the bytes are not UTF-16LE
// or a line is longer than kLongestMarkerLine.
std::optional<std::vector<std::string>> DecodeMarkerLines(const std::uint8_t* data,
                                                          std::size_t size);

// A whole file's waypoints in file order, or nullopt for a file of
// incorrect format (not UTF-16LE after the mark, or a malformed line).
std::optional<std::vector<Waypoint>> ReadMarkerWaypoints(const std::vector<std::uint8_t>& bytes);

// The same waypoints as rows, compactly, in file order, read from the
// file's bytes as they come, a piece at a time: what opening a file needs,
// with no more than a piece of a large file held beside its rows.
class MarkerRowReader {
 public:
  void Take(const std::vector<std::uint8_t>& piece);
  // The rows once every piece has been taken; nullopt for a file of
  // incorrect format, as ReadMarkerWaypoints.
  std::optional<RowBlock> Finish();

 private:
  void TakeLine(const std::uint8_t* data, std::size_t size);
  // Marks the file as of incorrect format and lets its bytes go.
  void Refuse();

  std::vector<std::uint8_t> pending_;  // the start of a line not ended yet
  std::size_t scanned_ = 0;            // bytes of pending_ known to hold no line end
  bool mark_seen_ = false;
  bool well_formed_ = true;
  RowBlock rows_;
};

}  // namespace tarvik::waypoints
