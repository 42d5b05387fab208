// Waypoints, route points and track points of a GPX 1.0 or 1.1 document.
#include <string>
#include <vector>

#include "waypoints/exchange/XmlWaypointReader.h"

namespace tarvik::waypoints::exchange {

namespace {

std::string_view AttributeValue(const std::vector<platform::XmlAttribute>& attributes,
                                std::string_view name) {
  for (const auto& attribute : attributes) {
    if (attribute.local_name == name) return attribute.value;
  }
  return {};
}

class GpxMapping final : public XmlFormatMapping {
 public:
  void Start(std::string_view name, const std::vector<platform::XmlAttribute>& attributes, int line,
             std::string_view parent) override {
    bool named_point = (name == "wpt" && parent == "gpx") || (name == "rtept" && parent == "rte");
    if (named_point || (name == "trkpt" && parent == "trkseg")) {
      point_ = {std::string(AttributeValue(attributes, "lat")),
                std::string(AttributeValue(attributes, "lon")),
                {},
                line};
    } else if (name == "trk" && parent == "gpx") {
      track_name_.clear();
      track_points_ = 0;
    } else if (name == "name" && (parent == "wpt" || parent == "rtept")) {
      collecting_ = &point_.name;
      point_.name.clear();
    } else if (name == "name" && parent == "trk") {
      collecting_ = &track_name_;
      track_name_.clear();
    }
  }

  void Text(std::string_view text) override {
    if (collecting_) collecting_->append(text);
  }

  void End(std::string_view name, std::string_view parent) override {
    if (name == "name") {
      collecting_ = nullptr;
    } else if ((name == "wpt" && parent == "gpx") || (name == "rtept" && parent == "rte")) {
      builder_.Add(point_.name, point_.latitude, point_.longitude, point_.line);
    } else if (name == "trkpt" && parent == "trkseg") {
      // Numbered through the whole track, across its segments.
      if (track_points_++ == 0) builder_.BeginNumbered(track_name_);
      builder_.Add(builder_.NextNumbered(), point_.latitude, point_.longitude, point_.line);
    } else if (name == "trk" && parent == "gpx") {
      builder_.EndNumbered();
    }
  }

  int PointsSoFar() const override { return builder_.Met(); }
  ImportBatch Take() override { return builder_.Take(); }

 private:
  struct Point {
    std::string latitude;
    std::string longitude;
    std::string name;
    int line = 0;
  };

  BatchBuilder builder_;
  Point point_;
  std::string track_name_;
  int track_points_ = 0;
  std::string* collecting_ = nullptr;  // point_.name or track_name_, both stable
};

}  // namespace

std::unique_ptr<XmlFormatMapping> NewGpxMapping() { return std::make_unique<GpxMapping>(); }

}  // namespace tarvik::waypoints::exchange
