#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Xml.h"
#include "waypoints/exchange/ImportBatch.h"

namespace tarvik::waypoints::exchange {

// The most points one KML or GPX file may give, skipped ones included: a
// day of a GPS logging every second fits, and this many import, list
// filled, in about two seconds under Wine, where every import has to end
// within 5 s. Counted as they come, so that a larger file is refused
// before it is read to its end.
inline constexpr int kMaxImportedPoints = 100'000;

// How one XML vocabulary turns into waypoints; `parent` is the local name
// of the enclosing element (empty for the root).
class XmlFormatMapping {
 public:
  virtual ~XmlFormatMapping() = default;
  virtual void Start(std::string_view name, const std::vector<platform::XmlAttribute>& attributes,
                     int line, std::string_view parent) = 0;
  virtual void Text(std::string_view text) = 0;
  virtual void End(std::string_view name, std::string_view parent) = 0;
  // Points met so far, those not yet added included.
  virtual int PointsSoFar() const = 0;
  virtual ImportBatch Take() = 0;
};

// KML: every Placemark, however deep in folders and documents. A Point
// gives one waypoint named by the placemark's name; a LineString one per
// vertex and a Track (gx:Track, KML 2.3's Track) one per coord, "<name> <n>"
// with n from 1, numbered through a MultiTrack, with leading zeros to the
// width of the largest n. A NetworkLink is never followed.
std::unique_ptr<XmlFormatMapping> NewKmlMapping();
// GPX 1.0 and 1.1: wpt and rtept named by their name; trkpt "<track name> <n>",
// numbered as KML's tracks are.
std::unique_ptr<XmlFormatMapping> NewGpxMapping();

// Why a file that a reader stopped on cannot be imported: the end of the
// sentence "could not be imported: <reason>.".
std::string ReadProblemReason(const platform::XmlReadResult& read);

// Hands a reader's events to the KML or GPX mapping, as the root element
// says, and turns the reader's problems into reasons for the user.
class XmlWaypointReader final : public platform::XmlHandler {
 public:
  bool StartElement(std::string_view local_name,
                    const std::vector<platform::XmlAttribute>& attributes, int line) override;
  bool Text(std::string_view text) override;
  bool EndElement(std::string_view local_name) override;

  // Once the reader is done: the waypoints, or why none can be taken.
  ImportOutcome Outcome(const platform::XmlReadResult& read);

 private:
  // False once the mapping has met more than kMaxImportedPoints.
  bool GoOn();

  std::unique_ptr<XmlFormatMapping> mapping_;
  bool too_many_ = false;
  std::optional<std::string> unknown_root_;  // a root that is neither kml nor gpx
  std::vector<std::string> open_;            // the elements the reader is inside
};

}  // namespace tarvik::waypoints::exchange
