#pragma once

#include <optional>

namespace tarvik::transit {

// The Route Editor's world: an interrupted Goode homolosine on a sphere,
// cut into square tiles of 2048 m. This file goes from latitude and
// longitude to tiles; the Transit window's inverse goes back with the same
// constants, lobes and tile grid.

struct LatLonRadians {
  double latitude = 0;
  double longitude = 0;
};

// Projection metres before the tile grid's offsets: x east, y north.
struct ProjectionMetres {
  double x = 0;
  double y = 0;
};

// A tile and a position in it: x east and z north, in metres from the tile's
// centre, each in [-1024, 1024).
struct TilePosition {
  int tile_x = 0;
  int tile_z = 0;
  double x = 0;
  double z = 0;
};

// Lobe 0 to 11, numbered as in the head comment of GoodeForward.cpp, that
// holds a point; nullopt for a latitude beyond a pole or a value that is
// not finite. Longitudes outside [-pi, pi) are wrapped first.
std::optional<int> GoodeLobeOf(LatLonRadians point);

std::optional<ProjectionMetres> GoodeForward(LatLonRadians point);

// The tile grid: projection metres to a tile and the metres within it.
TilePosition TilePositionOf(ProjectionMetres metres);

// Both steps at once: where the Route Editor's camera stands for a place.
std::optional<TilePosition> TilePositionOf(LatLonRadians point);

}  // namespace tarvik::transit
