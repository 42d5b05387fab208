#pragma once

#include <string>
#include <vector>

#include "waypoints/WaypointRow.h"

namespace tarvik::waypoints::exchange {

// The list's waypoints as another program can take them. A row read from a
// Marker file may hold a latitude or longitude Add would refuse; such a row
// cannot be written as a position and is left out, by name.
struct ExportPlan {
  std::vector<Waypoint> waypoints;
  std::vector<std::string> left_out;
};

// Coordinates stay as stored when they are plain decimals; one written with
// an exponent ("4.5E1") becomes a plain decimal, as KML and GPX need.
ExportPlan PlanExport(const std::vector<std::string>& rows);

// The "Export" information box for rows left out.
std::string LeftOutText(const ExportPlan& plan);

}  // namespace tarvik::waypoints::exchange
