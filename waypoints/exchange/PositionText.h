#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace tarvik::waypoints::exchange {

// Decimal degrees, south and west negative, always within range.
struct Position {
  double latitude;
  double longitude;
};

// The two angles as a position, when each lies within its range.
std::optional<Position> PositionIfInRange(double latitude, double longitude);

// A whole text that is one position as people copy it from maps and GPS
// programs: two angles, latitude first unless N/S/E/W letters say
// otherwise, each in any notation ParseAngleTokens reads, apart by blanks,
// by one comma or by one semicolon. A text that could be read in two ways
// ("47 8 32": 47° and 8°32', or 47°8' and 32°) is no position.
std::optional<Position> ParsePosition(std::string_view text);

// The position in a web map's address: a marker (mlat= and mlon=, lat= and
// lon=), a query (q=, ll=, query=, center=), a map centre ("@lat,lon",
// "#map=zoom/lat/lon") or a geo: address. The address is one word.
std::optional<Position> FindPositionInAddress(std::string_view text);

// What pasting a text into the latitude or longitude box takes as a
// position: a position, or an address holding one.
std::optional<Position> PastedPosition(std::string_view text);

struct PositionTexts {
  std::string latitude;
  std::string longitude;
};

// The two texts the entry boxes show, as CoordinateText writes them.
std::optional<PositionTexts> TextsOf(const Position& position);

}  // namespace tarvik::waypoints::exchange
