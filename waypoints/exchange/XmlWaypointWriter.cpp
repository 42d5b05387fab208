#include "waypoints/exchange/XmlWaypointWriter.h"

#include <string>

#include "waypoints/Utf8.h"

namespace tarvik::waypoints::exchange {

namespace {

constexpr const char* kKmlNamespace = "http://www.opengis.net/kml/2.2";
constexpr const char* kGpxNamespace = "http://www.topografix.com/GPX/1/1";
constexpr const char* kCreator = "Tarvik";

// A name read from a Marker file may hold control characters, which XML
// 1.0 cannot carry at all; they become spaces.
std::string XmlSafe(std::string_view text) {
  std::string safe;
  safe.reserve(text.size());
  for (size_t i = 0; i < text.size();) {
    char32_t c = NextUtf8(text, i).value_or(U'\uFFFD');
    bool allowed = c == '\t' || c == '\n' || c == '\r' || (c >= 0x20 && c != 0xFFFE && c != 0xFFFF);
    AppendUtf8(allowed ? c : U' ', safe);
  }
  return safe;
}

void TextElement(platform::XmlWriter& writer, std::string_view name, std::string_view text) {
  writer.StartElement(name);
  writer.Text(text);
  writer.EndElement();
}

}  // namespace

void WriteKml(const std::vector<Waypoint>& waypoints, platform::XmlWriter& writer) {
  writer.StartElement("kml", kKmlNamespace);
  writer.StartElement("Document");
  for (const auto& waypoint : waypoints) {
    writer.StartElement("Placemark");
    TextElement(writer, "name", XmlSafe(waypoint.Name));
    writer.StartElement("Point");
    TextElement(writer, "coordinates", waypoint.Longitude + "," + waypoint.Latitude);
    writer.EndElement();
    writer.EndElement();
  }
  writer.EndElement();
  writer.EndElement();
}

void WriteGpx(const std::vector<Waypoint>& waypoints, platform::XmlWriter& writer) {
  writer.StartElement("gpx", kGpxNamespace);
  writer.Attribute("version", "1.1");
  writer.Attribute("creator", kCreator);
  for (const auto& waypoint : waypoints) {
    writer.StartElement("wpt");
    writer.Attribute("lat", waypoint.Latitude);
    writer.Attribute("lon", waypoint.Longitude);
    TextElement(writer, "name", XmlSafe(waypoint.Name));
    writer.EndElement();
  }
  writer.EndElement();
}

}  // namespace tarvik::waypoints::exchange
