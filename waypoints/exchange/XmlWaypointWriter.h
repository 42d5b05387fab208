#pragma once

#include <vector>

#include "platform/Xml.h"
#include "waypoints/WaypointRow.h"

namespace tarvik::waypoints::exchange {

// A KML Document of one Placemark with a Point per waypoint.
void WriteKml(const std::vector<Waypoint>& waypoints, platform::XmlWriter& writer);
// A GPX 1.1 document of one wpt with its name per waypoint.
void WriteGpx(const std::vector<Waypoint>& waypoints, platform::XmlWriter& writer);

}  // namespace tarvik::waypoints::exchange
