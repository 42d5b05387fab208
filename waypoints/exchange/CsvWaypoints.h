#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "waypoints/WaypointRow.h"
#include "waypoints/exchange/ImportBatch.h"

namespace tarvik::waypoints::exchange {

// A spreadsheet's rows: UTF-8 with or without byte-order mark; a header
// naming the columns (name, title or label; lat or latitude; lon, lng, long
// or longitude; any letter case) whose separator, comma, semicolon or tab,
// is the file's. Coordinates as plain numbers or in any notation
// ParseAngle reads; with a semicolon or tab separator a decimal comma too.
ImportOutcome ReadCsvWaypoints(std::string_view bytes);

// "name,latitude,longitude" and one line per waypoint, CR LF line ends,
// after a UTF-8 byte-order mark so that spreadsheet programs read every
// letter right.
std::string WriteCsvWaypoints(const std::vector<Waypoint>& waypoints);

}  // namespace tarvik::waypoints::exchange
