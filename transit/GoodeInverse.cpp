// Interrupted Goode homolosine, inverse, on a sphere of radius R.
//
// The plane is cut into twelve lobes by straight lines of x and y. Each lobe
// maps its own strip of longitude about its own central meridian (cm):
// sinusoidal within 40d44' of the equator, Mollweide beyond, shifted so that
// the two bands meet at the band limit. Cuts are given as R times the
// longitude where they touch the equator.
//
//  x/R  -pi              -0.698 (40 W)                                     pi
//        +--------------------+----------------------------------------------+
//  Moll. | 0    cm -100       | 2    cm 30                                   |
//  y = R 0.710987989993 ------+----------------------------------------------+
//  sinu. | 1    cm -100       | 3    cm 30                                   |
//  y = 0 +------------+-------+-----------+--------------------+-------------+
//  sinu. | 4  cm -160 | 5    cm -60       | 8    cm 20         | 9   cm 140  |
//  y = -R 0.710987989993 -----------------+--------------------+-------------+
//  Moll. | 6  cm -160 | 7    cm -60       | 10   cm 20         | 11  cm 140  |
//        +------------+-------------------+--------------------+-------------+
//  x/R  -pi        -1.745 (100 W)    -0.349 (20 W)        1.396 (80 E)     pi
//
// A point exactly on a cut belongs to the lobe west of it, y exactly on the
// band limit to the Mollweide band, y = 0 to the north. Lines of x are not
// meridians, so near a cut a point may lie in its lobe's part of the plane
// yet beyond its lobe's longitudes: that is a break, reported as such.
//
// Every constant is written with the digits the Route Editor's own tables
// use, pi included: a more exact value would move the lobes by metres.
#include "transit/GoodeInverse.h"

#include <cmath>
#include <cstddef>

namespace tarvik::transit {

namespace {

// Pi and the full turn to the Route Editor's fourteen decimals.
constexpr double kPi = 3.14159265358979;
constexpr double kFullTurn = 6.28318530717958;

// Tile (X, Z) covers [X, X + 1) x [Z, Z + 1) in tile units of 2048 m; these
// offsets put tile (-16384, 16384) at the grid's north-west corner.
constexpr double kTileOffset = 16385;
constexpr double kTileSize = 2048;
constexpr double kNorthingOffset = 8673000;
constexpr double kEastingOffset = 20015000;

// 40d44'11.8" in radians, where sinusoidal and Mollweide parallels are
// equally long; the sinusoidal y there is R times this.
constexpr double kBandLimit = 0.710987989993;
// Mollweide on the unit sphere: y = sqrt 2 sin t minus this shift, which
// lowers the band so that it meets the sinusoidal one at the band limit.
constexpr double kMollweideShift = 0.0528035274542;
constexpr double kMollweideY = 1.4142135623731;   // sqrt 2
constexpr double kMollweideX = 0.900316316158;    // 2 sqrt 2 / pi

// The cuts between lobes, as longitudes on the equator in radians.
constexpr double kCut40W = -0.698131700798;
constexpr double kCut100W = -1.74532925199;
constexpr double kCut20W = -0.349065850399;
constexpr double kCut80E = 1.3962634016;

struct LobeShape {
  double central_meridian;
  double west;  // longitude bounds of the lobe, both inclusive
  double east;
  bool mollweide;
};

constexpr std::array<LobeShape, kGoodeLobeCount> kLobeShapes = {{
    {-1.74532925199, -kPi, kCut40W, true},     // 0
    {-1.74532925199, -kPi, kCut40W, false},    // 1
    {0.523598775598, kCut40W, kPi, true},      // 2
    {0.523598775598, kCut40W, kPi, false},     // 3
    {-2.79252680319, -kPi, kCut100W, false},   // 4
    {-1.0471975512, kCut100W, kCut20W, false}, // 5
    {-2.79252680319, -kPi, kCut100W, true},    // 6
    {-1.0471975512, kCut100W, kCut20W, true},  // 7
    {0.349065850399, kCut20W, kCut80E, false}, // 8
    {2.44346095279, kCut80E, kPi, false},      // 9
    {0.349065850399, kCut20W, kCut80E, true},  // 10
    {2.44346095279, kCut80E, kPi, true},       // 11
}};

int NorthernLobe(bool western, bool mollweide) {
  if (mollweide) return western ? 0 : 2;
  return western ? 1 : 3;
}

int SouthernLobe(double R, double x, bool mollweide) {
  constexpr std::array<double, 3> kCuts = {kCut100W, kCut20W, kCut80E};
  constexpr std::array<int, 4> kSinusoidal = {4, 5, 8, 9};
  constexpr std::array<int, 4> kMollweide = {6, 7, 10, 11};
  std::size_t column = 0;
  while (column < kCuts.size() && !(x <= R * kCuts[column])) ++column;
  return mollweide ? kMollweide[column] : kSinusoidal[column];
}

// Sinusoidal: the parallel's length shrinks with cos lat.
GoodeStatus Sinusoidal(const GoodeLobes& lobes, int lobe, double x, double y, double& lon_rad,
                       double& lat_rad) {
  const double R = lobes.EarthRadius;
  const double lat = y / R;
  lat_rad = lat;
  lon_rad = AdjustLongitude(lobes.LobeCentralMeridian[lobe] + x / (R * std::cos(lat)));
  return GoodeStatus::Inside;
}

// Mollweide: the auxiliary angle t from y, then longitude and latitude.
GoodeStatus Mollweide(const GoodeLobes& lobes, int lobe, double x, double y, double& lon_rad,
                      double& lat_rad) {
  const double R = lobes.EarthRadius;
  const double a = (R * kMollweideShift * SignOf(y) + y) / (R * kMollweideY);
  if (std::fabs(a) > 1) return GoodeStatus::OutsideLobe;
  const double theta = std::asin(a);
  const double lon = x / (R * kMollweideX * std::cos(theta)) + lobes.LobeCentralMeridian[lobe];
  lon_rad = lon;
  if (lon < -kPi) return GoodeStatus::OutsideLobe;
  const double b = (2 * theta + std::sin(2 * theta)) / kPi;
  if (std::fabs(b) > 1) return GoodeStatus::OutsideLobe;
  lat_rad = std::asin(b);
  return GoodeStatus::Inside;
}

GoodeStatus RangeCheck(int lobe, double lon) {
  const LobeShape& shape = kLobeShapes[static_cast<std::size_t>(lobe)];
  return lon >= shape.west && lon <= shape.east ? GoodeStatus::Inside : GoodeStatus::OutsideLobe;
}

}  // namespace

GoodeLobes InitGoodeLobes(double earth_radius) {
  GoodeLobes lobes;
  lobes.EarthRadius = earth_radius;
  for (std::size_t i = 0; i < kLobeShapes.size(); ++i) {
    lobes.LobeCentralMeridian[i] = kLobeShapes[i].central_meridian;
    lobes.LobeFalseEasting[i] = earth_radius * kLobeShapes[i].central_meridian;
  }
  return lobes;
}

PlaneMetres GoodeTileToMetres(double tile_x, double tile_z) {
  return {((tile_x + kTileOffset) - 1) * kTileSize - kEastingOffset,
          kNorthingOffset - ((kTileOffset - tile_z) - 1) * kTileSize};
}

int GoodeLobeAt(const GoodeLobes& lobes, PlaneMetres point) {
  const double R = lobes.EarthRadius;
  const bool western = point.x <= R * kCut40W;
  if (point.y >= R * kBandLimit) return NorthernLobe(western, true);
  if (point.y >= 0) return NorthernLobe(western, false);
  return SouthernLobe(R, point.x, !(point.y >= R * -kBandLimit));
}

GoodeStatus GoodeInverse(const GoodeLobes& lobes, double tile_x, double tile_z, double& lon_rad,
                         double& lat_rad) {
  const PlaneMetres point = GoodeTileToMetres(tile_x, tile_z);
  const int lobe = GoodeLobeAt(lobes, point);
  const double x = point.x - lobes.LobeFalseEasting[static_cast<std::size_t>(lobe)];
  const GoodeStatus status =
      kLobeShapes[static_cast<std::size_t>(lobe)].mollweide
          ? Mollweide(lobes, lobe, x, point.y, lon_rad, lat_rad)
          : Sinusoidal(lobes, lobe, x, point.y, lon_rad, lat_rad);
  if (status != GoodeStatus::Inside) return status;
  return RangeCheck(lobe, lon_rad);
}

double AdjustLongitude(double lon) {
  if (std::fabs(lon) >= kPi) return lon - SignOf(lon) * kFullTurn;
  return lon;
}

double SignOf(double v) { return v >= 0 ? 1 : -1; }

}  // namespace tarvik::transit
