#pragma once

#include <windows.h>

#include <optional>

namespace tarvik::standins::usaphotomaps {

struct MapPosition {
  double latitude = 0;   // north positive
  double longitude = 0;  // east positive
};

// The modal "Go to" dialog: latitude and longitude as unsigned degrees with
// a hemisphere each (north and west to begin with), filled with the current
// position and the latitude focused. Enter accepts a position on the map,
// Esc cancels; nullopt when cancelled.
std::optional<MapPosition> AskGoTo(HWND owner, MapPosition current);

}  // namespace tarvik::standins::usaphotomaps
