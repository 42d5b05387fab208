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

std::vector<std::uint8_t> EncodeMarkerFile(const std::vector<std::string>& rows) {
  std::vector<std::uint8_t> out(std::begin(kMark), std::end(kMark));
  out.reserve(66 + rows.size() * 80);
  AppendLine(kMarkerHeader, out);
  for (const auto& row : rows) {
    std::optional<Waypoint> waypoint = SplitRow(row);
    std::string line = waypoint ? MarkerLine(*waypoint) : std::string();
    // The reader also splits lines where the parser does not look, past ")".
    bool one_line = line.find_first_of("\r\n") == std::string::npos;
    if (!waypoint || !one_line || ParseMarkerLine(line).kind != LineKind::Marker) {
      throw std::invalid_argument("a waypoint cannot be written to a Marker file.");
    }
    AppendLine(line, out);
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

// Calls `visit` with each line; CR LF, a lone CR and a lone LF end a line.
// Stops early, returning false, when `visit` does.
template <class Visit>
bool ForEachLine(std::string_view text, Visit visit) {
  size_t start = 0;
  for (size_t k = 0; k < text.size(); ++k) {
    char c = text[k];
    if (c != '\r' && c != '\n') continue;
    if (!visit(text.substr(start, k - start))) return false;
    if (c == '\r' && k + 1 < text.size() && text[k + 1] == '\n') ++k;
    start = k + 1;
  }
  return start >= text.size() || visit(text.substr(start));
}

}  // namespace

std::optional<std::vector<std::string>> DecodeMarkerLines(const std::uint8_t* data,
                                                          std::size_t size) {
  auto text = DecodeUtf16Le(data, size);
  if (!text) return std::nullopt;
  std::vector<std::string> lines;
  ForEachLine(*text, [&](std::string_view line) {
    lines.emplace_back(line);
    return true;
  });
  return lines;
}

std::optional<std::vector<Waypoint>> ReadMarkerWaypoints(const std::vector<std::uint8_t>& bytes) {
  if (!StartsWithUnicodeMark(bytes)) return std::nullopt;
  auto text = DecodeUtf16Le(bytes.data() + 2, bytes.size() - 2);
  if (!text) return std::nullopt;
  std::vector<Waypoint> waypoints;
  bool well_formed = ForEachLine(*text, [&](std::string_view line) {
    ParsedLine parsed = ParseMarkerLine(line);
    if (parsed.kind == LineKind::Marker) waypoints.push_back(std::move(parsed.waypoint));
    return parsed.kind != LineKind::Malformed;
  });
  if (!well_formed) return std::nullopt;
  return waypoints;
}

}  // namespace tarvik::waypoints
