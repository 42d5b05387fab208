// Feeds the KML and GPX mappings arbitrary sequences of the events a
// reader reports: elements of both vocabularies, nested any way, texts and
// attributes of any bytes. Every sequence ends either as a refusal with a
// reason or as waypoints the list can hold, each at a line where an
// element started.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "waypoints/Coordinates.h"
#include "waypoints/exchange/XmlWaypointReader.h"

namespace {

void Check(bool condition) {
  if (!condition) std::abort();
}

constexpr std::string_view kNames[] = {
    "kml",   "gpx",        "Document",   "Folder",      "Placemark", "name",  "Point",
    "LineString", "coordinates", "MultiGeometry", "Track", "MultiTrack", "coord", "when",
    "Polygon", "NetworkLink", "wpt",       "rte",         "rtept",     "trk",   "trkseg",
    "trkpt"};

class Events {
 public:
  Events(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
  bool More() const { return at_ < size_; }
  std::uint8_t Byte() { return More() ? data_[at_++] : 0; }
  // A run of bytes up to the next 0xFF.
  std::string Piece() {
    std::string piece;
    while (More() && data_[at_] != 0xFF) piece += static_cast<char>(data_[at_++]);
    if (More()) ++at_;
    return piece;
  }

 private:
  const std::uint8_t* data_;
  std::size_t size_;
  std::size_t at_ = 0;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace tarvik::waypoints;
  Events events(data, size);
  exchange::XmlWaypointReader reader;
  std::vector<std::string> open;
  int line = 0;
  bool go = true;
  while (go && events.More()) {
    std::uint8_t op = events.Byte();
    if (op % 3 == 0 || open.empty()) {
      std::string name(kNames[events.Byte() % std::size(kNames)]);
      std::vector<tarvik::platform::XmlAttribute> attributes;
      if (op & 0x80) attributes.push_back({"lat", events.Piece()});
      if (op & 0x40) attributes.push_back({"lon", events.Piece()});
      go = reader.StartElement(name, attributes, ++line);
      open.push_back(name);
    } else if (op % 3 == 1) {
      go = reader.Text(events.Piece());
    } else {
      go = reader.EndElement(open.back());
      open.pop_back();
    }
  }
  while (go && !open.empty()) {
    go = reader.EndElement(open.back());
    open.pop_back();
  }
  auto outcome = reader.Outcome(go ? tarvik::platform::XmlReadResult{}
                                   : tarvik::platform::XmlReadResult{
                                         tarvik::platform::XmlProblem::Stopped, line});
  if (outcome.refusal) {
    Check(!outcome.refusal->reason.empty());
    Check(outcome.batch.waypoints.empty() && outcome.batch.skipped.empty());
    return 0;
  }
  for (const auto& imported : outcome.batch.waypoints) {
    const Waypoint& w = imported.waypoint;
    Check(!w.Name.empty() && w.Name.find_first_of("\t\r\n") == std::string::npos);
    Check(w.Name.front() != ' ' && w.Name.back() != ' ');
    Check(IsValidLatitude(w.Latitude) && IsValidLongitude(w.Longitude));
    Check(imported.line >= 1 && imported.line <= line);
  }
  for (const auto& skipped : outcome.batch.skipped) Check(skipped.line >= 1 && skipped.line <= line);
  return 0;
}
