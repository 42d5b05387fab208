// Placemarks of a KML document, wherever they stand: in folders, in nested
// documents, with their geometry in a MultiGeometry: points, lines, and the
// tracks that Google Earth and phone apps record.
#include <string>
#include <vector>

#include "waypoints/exchange/XmlWaypointReader.h"

namespace tarvik::waypoints::exchange {

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

// "lon,lat[,alt]" tuples apart by blanks. Blanks next to a comma are
// forgiven, as map programs forgive them.
std::vector<std::string_view> Tuples(std::string_view text, std::string& joined) {
  joined.clear();
  joined.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    if (!IsBlank(text[i])) {
      joined += text[i];
      continue;
    }
    size_t next = i;
    while (next < text.size() && IsBlank(text[next])) ++next;
    bool by_comma =
        (!joined.empty() && joined.back() == ',') || (next < text.size() && text[next] == ',');
    if (!by_comma && !joined.empty() && next < text.size()) joined += ' ';
    i = next - 1;
  }
  std::vector<std::string_view> tuples;
  std::string_view rest(joined);
  while (!rest.empty()) {
    size_t space = rest.find(' ');
    tuples.push_back(rest.substr(0, space));
    if (space == std::string_view::npos) break;
    rest.remove_prefix(space + 1);
  }
  return tuples;
}

struct LonLat {
  std::string_view longitude;
  std::string_view latitude;
};

std::optional<LonLat> SplitTuple(std::string_view tuple) {
  size_t first = tuple.find(',');
  if (first == std::string_view::npos) return std::nullopt;
  size_t second = tuple.find(',', first + 1);
  if (second != std::string_view::npos && tuple.find(',', second + 1) != std::string_view::npos) {
    return std::nullopt;
  }
  return LonLat{tuple.substr(0, first),
                tuple.substr(first + 1, second == std::string_view::npos ? std::string_view::npos
                                                                         : second - first - 1)};
}

// "lon lat [alt]" of a track's coord: two or three numbers apart by blanks.
std::optional<LonLat> SplitCoord(std::string_view coord) {
  std::string_view parts[3];
  std::size_t count = 0;
  for (std::size_t i = 0; i < coord.size();) {
    if (IsBlank(coord[i])) {
      ++i;
      continue;
    }
    std::size_t end = i;
    while (end < coord.size() && !IsBlank(coord[end])) ++end;
    if (count == 3) return std::nullopt;
    parts[count++] = coord.substr(i, end - i);
    i = end;
  }
  if (count < 2) return std::nullopt;
  return LonLat{parts[0], parts[1]};
}

bool IsBlankText(std::string_view text) {
  for (char c : text) {
    if (!IsBlank(c)) return false;
  }
  return true;
}

class KmlMapping final : public XmlFormatMapping {
 public:
  void Start(std::string_view name, const std::vector<platform::XmlAttribute>&, int line,
             std::string_view parent) override {
    if (name == "Placemark") {
      // A placemark inside a placemark is no KML; its content counts for the outer one.
      if (placemark_depth_++ == 0) BeginPlacemark(line);
      return;
    }
    if (placemark_depth_ == 0) return;
    if (name == "name" && parent == "Placemark") {
      collecting_ = Collecting::Name;
      name_.clear();
    } else if (name == "coordinates" && (parent == "Point" || parent == "LineString")) {
      geometries_.push_back({parent == "LineString" ? Kind::Line : Kind::Point, {}, line, {}});
      collecting_ = Collecting::Coordinates;
    } else if (name == "MultiTrack" || (name == "Track" && parent != "MultiTrack")) {
      // gx:Track and KML 2.3's Track alike, by their local name; the
      // tracks of a MultiTrack are numbered through as one.
      geometries_.push_back({Kind::Track, {}, line, {}});
      collecting_ = Collecting::Nothing;  // a coord being read belongs to the track before
    } else if (name == "coord" && parent == "Track" && !geometries_.empty()) {
      geometries_.back().coords.push_back({{}, line});
      ++pending_coords_;
      collecting_ = Collecting::Coord;
    }
  }

  void Text(std::string_view text) override {
    if (collecting_ == Collecting::Name) name_.append(text);
    if (collecting_ == Collecting::Coordinates) geometries_.back().coordinates.append(text);
    if (collecting_ == Collecting::Coord) geometries_.back().coords.back().text.append(text);
  }

  void End(std::string_view name, std::string_view) override {
    if (name == "Placemark") {
      if (placemark_depth_ > 0 && --placemark_depth_ == 0) EndPlacemark();
      return;
    }
    if (name == "name" || name == "coordinates" || name == "coord") {
      collecting_ = Collecting::Nothing;
    }
  }

  // A placemark's track points wait for its end, and are counted meanwhile.
  int PointsSoFar() const override { return builder_.Met() + pending_coords_; }
  ImportBatch Take() override { return builder_.Take(); }

 private:
  enum class Kind { Point, Line, Track };
  struct Coord {
    std::string text;
    int line;
  };
  struct Geometry {
    Kind kind;
    std::string coordinates;  // a point's or a line's
    int line_number;
    std::vector<Coord> coords;  // a track's
  };

  void BeginPlacemark(int line) {
    placemark_line_ = line;
    pending_coords_ = 0;
    name_.clear();
    geometries_.clear();
    collecting_ = Collecting::Nothing;
  }

  void EndPlacemark() {
    collecting_ = Collecting::Nothing;
    pending_coords_ = 0;
    if (geometries_.empty()) return builder_.Skip(SkipReason::NoPointOrLine, placemark_line_);
    for (const auto& geometry : geometries_) {
      switch (geometry.kind) {
        case Kind::Point:
          AddPoint(geometry);
          break;
        case Kind::Line:
          AddVertices(geometry);
          break;
        case Kind::Track:
          AddTrackPoints(geometry);
          break;
      }
    }
  }

  void AddPoint(const Geometry& point) {
    auto tuples = Tuples(point.coordinates, joined_);
    auto lon_lat = tuples.size() == 1 ? SplitTuple(tuples[0]) : std::nullopt;
    if (!lon_lat) return builder_.AddDegrees(name_, std::nullopt, std::nullopt, point.line_number);
    builder_.Add(name_, lon_lat->latitude, lon_lat->longitude, point.line_number);
  }

  void AddVertices(const Geometry& line) {
    builder_.BeginNumbered(name_);
    for (std::string_view tuple : Tuples(line.coordinates, joined_)) {
      Add(builder_.NextNumbered(), SplitTuple(tuple), line.line_number);
    }
    builder_.EndNumbered();
  }

  // A coord with nothing in it is a moment without a position: skipped
  // without a number.
  void AddTrackPoints(const Geometry& track) {
    builder_.BeginNumbered(name_);
    for (const auto& coord : track.coords) {
      if (IsBlankText(coord.text)) {
        builder_.Skip(SkipReason::EmptyTrackPoint, coord.line);
        continue;
      }
      Add(builder_.NextNumbered(), SplitCoord(coord.text), coord.line);
    }
    builder_.EndNumbered();
  }

  void Add(const std::string& name, const std::optional<LonLat>& lon_lat, int line) {
    if (!lon_lat)
      builder_.AddDegrees(name, std::nullopt, std::nullopt, line);
    else
      builder_.Add(name, lon_lat->latitude, lon_lat->longitude, line);
  }

  BatchBuilder builder_;
  int placemark_depth_ = 0;
  int placemark_line_ = 0;
  int pending_coords_ = 0;
  std::string name_;
  std::vector<Geometry> geometries_;
  enum class Collecting { Nothing, Name, Coordinates, Coord } collecting_ = Collecting::Nothing;
  std::string joined_;
};

}  // namespace

std::unique_ptr<XmlFormatMapping> NewKmlMapping() { return std::make_unique<KmlMapping>(); }

}  // namespace tarvik::waypoints::exchange
