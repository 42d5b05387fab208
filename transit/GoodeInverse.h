#pragma once

#include <array>

namespace tarvik::transit {

// The Route Editor's tile positions back to latitude and longitude: the
// inverse of the interrupted Goode homolosine on a sphere, lobes numbered as
// drawn at the head of GoodeInverse.cpp.

inline constexpr int kGoodeLobeCount = 12;

// One sphere's lobe tables: each lobe's central meridian in radians, and
// the projection x in metres at which that meridian lies.
struct GoodeLobes {
  double EarthRadius = 0;
  std::array<double, kGoodeLobeCount> LobeCentralMeridian{};
  std::array<double, kGoodeLobeCount> LobeFalseEasting{};
};

enum class GoodeStatus : int {
  Inside = 1,        // the point lies inside the lobe that was chosen for it
  OutsideLobe = -2,  // in a break between lobes, or beyond the projection
};

// A point of the projection plane in metres, before the false easting of
// its lobe is taken off.
struct PlaneMetres {
  double x = 0;
  double y = 0;
};

GoodeLobes InitGoodeLobes(double earth_radius);

// Fractional tile coordinates (tile number plus the fraction across the
// tile, west to east and south to north) to projection metres.
PlaneMetres GoodeTileToMetres(double tile_x, double tile_z);

// The lobe, 0 to 11, whose part of the plane holds `point`. A point exactly
// on a cut between lobes belongs to the western one; the band limit itself
// belongs to the Mollweide band.
int GoodeLobeAt(const GoodeLobes& lobes, PlaneMetres point);

// Writes the longitude and latitude in radians of the tile position. An
// early failure returns OutsideLobe with one or both outputs left exactly as
// they were: neither when the point is beyond the Mollweide band's top or
// bottom, the latitude when the Mollweide longitude falls west of -pi or the
// latitude's sine comes out above 1. A longitude beyond its lobe's bounds
// returns OutsideLobe with both outputs written.
GoodeStatus GoodeInverse(const GoodeLobes& lobes, double tile_x, double tile_z, double& lon_rad,
                         double& lat_rad);

// One step towards [-pi, pi): a longitude of magnitude pi or more moves by a
// full turn against its sign, once; +pi becomes -pi and -pi becomes +pi.
double AdjustLongitude(double lon);

// 1 for v >= 0 (negative zero included), -1 otherwise.
double SignOf(double v);

}  // namespace tarvik::transit
