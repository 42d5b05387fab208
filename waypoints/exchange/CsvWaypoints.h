#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "waypoints/WaypointRow.h"
#include "waypoints/exchange/ImportBatch.h"

namespace tarvik::waypoints::exchange {

// A spreadsheet's rows: UTF-8 with or without byte-order mark, or
// Windows-1252 where the bytes are not UTF-8 and no mark says they are; a
// header naming the columns (ColumnsNamed) whose separator, tab,
// semicolon, comma or "|", is the file's, or no header and a position in
// the first two columns of every row (FindLayout). Coordinates as
// FieldDegrees reads them. The batch's notes say which columns were taken
// and, for Windows-1252, so.
ImportOutcome ReadCsvWaypoints(std::string_view bytes);

// "name,latitude,longitude" and one line per waypoint, CR LF line ends,
// after a UTF-8 byte-order mark so that spreadsheet programs read every
// letter right.
std::string WriteCsvWaypoints(const std::vector<Waypoint>& waypoints);

}  // namespace tarvik::waypoints::exchange
