#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace tarvik::waypoints::exchange {

// The columns of a table a waypoint is taken from, counted from 0.
struct CsvColumns {
  std::optional<std::size_t> name;
  std::size_t latitude;
  std::size_t longitude;
};

// The columns a header line names, as GIS, GPS and spreadsheet programs
// name them, letter case ignored. A latitude column is named lat or
// latitude, a longitude column lon, lng, long or longitude: the whole name
// ("Lat"), a word of it ("Latitude (deg)", "lat_dd", "LATITUDE N/S"), or
// failing that the start or end of a word ("reclat", "reclong"). Only when
// no such pair is found, y and x as a word ("y", "POINT_Y", "geom_x")
// name the latitude and the longitude. A name column is named name, title
// or label, whole or as a word. Among columns named alike the better
// naming wins, then the leftmost; a column named for both latitude and
// longitude ("latlng") is neither. nullopt without a latitude and a
// longitude column.
std::optional<CsvColumns> ColumnsNamed(const std::vector<std::string>& header);

}  // namespace tarvik::waypoints::exchange
