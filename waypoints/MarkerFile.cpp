#include "waypoints/MarkerFile.h"

#include <stdexcept>

#include "waypoints/Utf16.h"

namespace tarvik::waypoints {

namespace {

constexpr std::uint8_t kMark[] = {0xFF, 0xFE};

std::string_view TrimSpaces(std::string_view text) {
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
  return text;
}

std::string_view TrimLeadingSpaces(std::string_view text) {
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  return text;
}

void AppendLine(std::string_view text, std::vector<std::uint8_t>& out) {
  AppendUtf16Le(text, out);
  out.insert(out.end(), {0x0D, 0x00, 0x0A, 0x00});
}

// Takes the field before the first `separator` of `rest`, trimmed, and
// leaves `rest` after it without leading spaces. False when there is none.
bool TakeField(std::string_view& rest, char separator, std::string& field) {
  size_t at = rest.find(separator);
  if (at == std::string_view::npos) return false;
  field = TrimSpaces(rest.substr(0, at));
  rest = TrimLeadingSpaces(rest.substr(at + 1));
  return true;
}

// A name in double quotes is read up to the next quote; a bare one up to
// the next space.
char SeparatorOf(std::string_view rest) {
  return rest.find('"') != std::string_view::npos ? '"' : ' ';
}

}  // namespace

std::string MarkerLine(const Waypoint& w) {
  std::string line = "Marker ( ";
  line.append(w.Longitude).append(" ").append(w.Latitude).append(" \"").append(w.Name);
  line.append("\" ").append(w.Extra).append(" )");
  return line;
}

namespace {

bool FitsMarkerLine(std::size_t utf16_bytes) { return utf16_bytes / 2 <= kLongestMarkerLine; }

// Whether the UTF-16LE line reads back, as the reader reads it, as the
// waypoint it was written from. The parser trims, stops a name at a quote
// and an Extra at ")", and the reader splits at every line end, so a
// line the parser accepts may still come back as another waypoint.
bool ReadsBackAs(const std::uint8_t* data, std::size_t size, const Waypoint& waypoint) {
  if (!FitsMarkerLine(size)) return false;
  auto text = DecodeUtf16Le(data, size);
  if (!text || text->find_first_of("\r\n") != std::string::npos) return false;
  ParsedLine parsed = ParseMarkerLine(*text);
  return parsed.kind == LineKind::Marker && parsed.waypoint == waypoint;
}

// The UTF-16 code units of UTF-8 text: one per character, two for one
// beyond U+FFFF.
std::size_t Utf16Units(std::string_view utf8) {
  std::size_t units = 0;
  for (char c : utf8) {
    auto byte = static_cast<std::uint8_t>(c);
    if ((byte & 0xC0) != 0x80) ++units;
    if (byte >= 0xF0) ++units;
  }
  return units;
}

// Appends the Marker line of a row and its line end; throws, appending
// nothing, for a row whose line would not read back as that row.
void AppendWritableLine(const std::string& row, std::vector<std::uint8_t>& out) {
  std::optional<Waypoint> waypoint = SplitRow(row);
  std::string line = waypoint ? MarkerLine(*waypoint) : std::string();
  const std::size_t start = out.size();
  // Too long is known before the line is encoded.
  bool fits = waypoint && Utf16Units(line) <= kLongestMarkerLine;
  if (fits) AppendUtf16Le(line, out);
  if (!fits || !ReadsBackAs(out.data() + start, out.size() - start, *waypoint)) {
    out.resize(start);
    throw std::invalid_argument("a waypoint cannot be written to a Marker file.");
  }
  out.insert(out.end(), {0x0D, 0x00, 0x0A, 0x00});
}

}  // namespace

MarkerFileEncoder::MarkerFileEncoder(std::size_t row_count, RowAt row_at)
    : row_count_(row_count), row_at_(std::move(row_at)) {}

void MarkerFileEncoder::NextPiece(std::vector<std::uint8_t>& piece) {
  piece.clear();
  if (!header_done_) {
    piece.assign(std::begin(kMark), std::end(kMark));
    AppendLine(kMarkerHeader, piece);
    header_done_ = true;
  }
  while (next_row_ < row_count_ && piece.size() < kPieceBytes) {
    AppendWritableLine(row_at_(next_row_++), piece);
  }
}

std::vector<std::uint8_t> EncodeMarkerFile(const std::vector<std::string>& rows) {
  MarkerFileEncoder encoder(rows.size(), [&](std::size_t i) { return rows[i]; });
  std::vector<std::uint8_t> out;
  std::vector<std::uint8_t> piece;
  for (encoder.NextPiece(piece); !piece.empty(); encoder.NextPiece(piece)) {
    out.insert(out.end(), piece.begin(), piece.end());
  }
  return out;
}

bool StartsWithUnicodeMark(const std::vector<std::uint8_t>& bytes) {
  return bytes.size() >= 2 && bytes[0] == kMark[0] && bytes[1] == kMark[1];
}

ParsedLine ParseMarkerLine(std::string_view line) {
  if (line.empty() || line == kMarkerHeader) return {};
  std::string_view rest = line;
  size_t open = rest.find('(');
  if (open != std::string_view::npos) rest = rest.substr(open + 1);
  rest = TrimLeadingSpaces(rest);

  ParsedLine parsed;
  Waypoint& w = parsed.waypoint;
  parsed.kind = LineKind::Malformed;
  if (!TakeField(rest, ' ', w.Longitude)) return parsed;
  if (!TakeField(rest, SeparatorOf(rest), w.Latitude)) return parsed;
  if (!TakeField(rest, SeparatorOf(rest), w.Name)) return parsed;
  size_t close = rest.find(')');
  if (close == std::string_view::npos) return parsed;
  w.Extra = TrimSpaces(rest.substr(0, close));
  // Loaded, such a text would shift or cut the row, and the next save would
  // write a file that can no longer be read.
  bool holdable = CanBeField(w.Longitude) && CanBeField(w.Latitude) && CanBeField(w.Name) &&
                  CanBeExtra(w.Extra);
  if (holdable) parsed.kind = LineKind::Marker;
  return parsed;
}

namespace {

// Calls `visit` with each line of UTF-16LE text, decoded to UTF-8 a line at
// a time so that a large file's text is never held decoded whole. CR LF, a
// lone CR and a lone LF each end a line. False, possibly after some lines,
// when the text is not UTF-16LE or when `visit` returns false.
template <class Visit>
bool ForEachUtf16Line(const std::uint8_t* data, std::size_t size, Visit visit) {
  if (size % 2 != 0) return false;
  auto unit_at = [&](std::size_t k) { return static_cast<char16_t>(data[k] | (data[k + 1] << 8)); };
  // A surrogate is never a CR or LF, so a line never ends inside a pair.
  auto visit_units = [&](std::size_t begin, std::size_t end) {
    if (!FitsMarkerLine(end - begin)) return false;
    auto line = DecodeUtf16Le(data + begin, end - begin);
    return line && visit(std::string_view(*line));
  };
  std::size_t start = 0;
  for (std::size_t k = 0; k < size; k += 2) {
    char16_t unit = unit_at(k);
    if (unit != u'\r' && unit != u'\n') continue;
    if (!visit_units(start, k)) return false;
    if (unit == u'\r' && k + 2 < size && unit_at(k + 2) == u'\n') k += 2;
    start = k + 2;
  }
  return start >= size || visit_units(start, size);
}

// Calls `take` with each waypoint of a whole file, in file order. False for
// a file of incorrect format.
template <class Take>
bool ForEachMarkerWaypoint(const std::vector<std::uint8_t>& bytes, Take take) {
  if (!StartsWithUnicodeMark(bytes)) return false;
  return ForEachUtf16Line(bytes.data() + 2, bytes.size() - 2, [&](std::string_view line) {
    ParsedLine parsed = ParseMarkerLine(line);
    if (parsed.kind == LineKind::Marker) take(parsed.waypoint);
    return parsed.kind != LineKind::Malformed;
  });
}

}  // namespace

std::optional<std::vector<std::string>> DecodeMarkerLines(const std::uint8_t* data,
                                                          std::size_t size) {
  std::vector<std::string> lines;
  bool decoded = ForEachUtf16Line(data, size, [&](std::string_view line) {
    lines.emplace_back(line);
    return true;
  });
  if (!decoded) return std::nullopt;
  return lines;
}

std::optional<std::vector<Waypoint>> ReadMarkerWaypoints(const std::vector<std::uint8_t>& bytes) {
  std::vector<Waypoint> waypoints;
  bool well_formed = ForEachMarkerWaypoint(
      bytes, [&](Waypoint& waypoint) { waypoints.push_back(std::move(waypoint)); });
  if (!well_formed) return std::nullopt;
  return waypoints;
}

void MarkerRowReader::Take(const std::vector<std::uint8_t>& piece) {
  if (!well_formed_) return;
  pending_.insert(pending_.end(), piece.begin(), piece.end());
  if (!mark_seen_) {
    if (pending_.size() < 2) return;
    well_formed_ = StartsWithUnicodeMark(pending_);
    if (!well_formed_) return;
    pending_.erase(pending_.begin(), pending_.begin() + 2);
    mark_seen_ = true;
  }
  // Every CR and every LF ends a line here: the empty line between the two
  // of a CR LF, which may come in different pieces, is one the parser
  // ignores anyway. The scan resumes where the last piece's ended, so a
  // long line costs its length once, not once per piece.
  std::size_t start = 0;
  std::size_t k = scanned_;
  for (; k + 1 < pending_.size(); k += 2) {
    char16_t unit = static_cast<char16_t>(pending_[k] | (pending_[k + 1] << 8));
    if (unit != u'\r' && unit != u'\n') continue;
    TakeLine(pending_.data() + start, k - start);
    if (!well_formed_) return;
    start = k + 2;
  }
  pending_.erase(pending_.begin(), pending_.begin() + static_cast<std::ptrdiff_t>(start));
  scanned_ = k - start;
  if (!FitsMarkerLine(scanned_)) Refuse();
}

void MarkerRowReader::Refuse() {
  well_formed_ = false;
  std::vector<std::uint8_t>().swap(pending_);
}

std::optional<RowBlock> MarkerRowReader::Finish() {
  // An odd byte left over means the text was never UTF-16LE.
  if (!mark_seen_ || pending_.size() % 2 != 0) well_formed_ = false;
  if (well_formed_ && !pending_.empty()) TakeLine(pending_.data(), pending_.size());
  pending_.clear();
  if (!well_formed_) return std::nullopt;
  return std::move(rows_);
}

void MarkerRowReader::TakeLine(const std::uint8_t* data, std::size_t size) {
  // A surrogate is never a CR or LF, so a line never ends inside a pair.
  auto line = FitsMarkerLine(size) ? DecodeUtf16Le(data, size) : std::nullopt;
  if (!line) return Refuse();
  ParsedLine parsed = ParseMarkerLine(*line);
  if (parsed.kind == LineKind::Malformed) return Refuse();
  if (parsed.kind == LineKind::Marker) rows_.Add(parsed.waypoint);
}

}  // namespace tarvik::waypoints
