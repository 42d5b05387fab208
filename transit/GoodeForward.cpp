// Interrupted Goode homolosine, forward, on a sphere.
//
// Twelve lobes, each a map of its own about its own central meridian (cm):
// sinusoidal between 40d44' north and south, Mollweide beyond. The north has
// two lobes cut at 40 W, the south four cut at 100 W, 20 W and 80 E.
//
//   lon -180           -100       -40            30                       180
//        +------------------------+----------------------------------------+
//  Moll. |  0 (cm -100)           |  2 (cm 30)                             |
// 40d44'N+------------------------+----------------------------------------+
//  sin.  |  1 (cm -100)           |  3 (cm 30)                             |
//   0    +-------------+----------+--------+---------------------+---------+
//  sin.  |  4 (cm -160)|  5 (cm -60)       |  8 (cm 20)          | 9 (140) |
// 40d44'S+-------------+-------------------+---------------------+---------+
//  Moll. |  6 (cm -160)|  7 (cm -60)       | 10 (cm 20)          |11 (140) |
//        +-------------+-------------------+---------------------+---------+
//   lon -180          -100                -20                    80       180
//
// A longitude exactly on a cut belongs to the western lobe, a latitude
// exactly on 40d44' to the Mollweide band: the inverse decides the same way
// from x and y. Every constant is written as the inverse writes it, so that
// a round trip returns the point it started from.
#include "transit/GoodeForward.h"

#include <array>
#include <cmath>
#include <cstddef>
#include <numbers>
#include <utility>

namespace tarvik::transit {

namespace {

// The authalic sphere of Clarke 1866, on which the Route Editor's tiles lie.
constexpr double kEarthRadius = 6370997.0;
// Pi as the inverse writes it; mixing in a more exact pi would shift lobes.
constexpr double kPi = 3.14159265358979;
constexpr double kFullTurn = 6.28318530717958;
// 40d44'11.8", where the sinusoidal and Mollweide parallels are equally long.
constexpr double kBandLimit = 0.710987989993;
// Mollweide on the unit sphere: x = (2 sqrt 2 / pi) dlon cos t, y = sqrt 2 sin t.
constexpr double kMollweideX = 0.900316316158;
constexpr double kMollweideY = 1.4142135623731;
// Lowers the Mollweide band so that it meets the sinusoidal one at the limit.
constexpr double kMollweideShift = 0.0528035274542;

// The cuts between lobes, in radians as the inverse writes them.
constexpr double kCut40W = -0.698131700798;
constexpr double kCut100W = -1.74532925199;
constexpr double kCut20W = -0.349065850399;
constexpr double kCut80E = 1.3962634016;

// The tile grid as the inverse lays it out: fractional tile (X, Z) is the
// projection point x = (X + 16385 - 1) 2048 - 20015000,
// y = 8673000 - (16385 - Z - 1) 2048.
constexpr double kTileSize = 2048;
constexpr double kTileOffset = 16385;
constexpr double kEastingOffset = 20015000;
constexpr double kNorthingOffset = 8673000;

struct Lobe {
  double central_meridian;
  bool mollweide;
};

constexpr std::array<Lobe, 12> kLobes = {{
    {-1.74532925199, true},   // 0
    {-1.74532925199, false},  // 1
    {0.523598775598, true},   // 2
    {0.523598775598, false},  // 3
    {-2.79252680319, false},  // 4
    {-1.0471975512, false},   // 5
    {-2.79252680319, true},   // 6
    {-1.0471975512, true},    // 7
    {0.349065850399, false},  // 8
    {2.44346095279, false},   // 9
    {0.349065850399, true},   // 10
    {2.44346095279, true},    // 11
}};

// Into [-pi, pi): a longitude of +pi is taken as -pi, as the inverse wraps it.
double WrapLongitude(double longitude) {
  if (longitude >= -kPi && longitude < kPi) return longitude;
  return longitude - kFullTurn * std::floor((longitude + kPi) / kFullTurn);
}

int NorthernLobe(double longitude, bool mollweide) {
  const bool western = longitude <= kCut40W;
  if (mollweide) return western ? 0 : 2;
  return western ? 1 : 3;
}

int SouthernLobe(double longitude, bool mollweide) {
  constexpr std::array<double, 3> kCuts = {kCut100W, kCut20W, kCut80E};
  constexpr std::array<int, 4> kSinusoidal = {4, 5, 8, 9};
  constexpr std::array<int, 4> kMollweide = {6, 7, 10, 11};
  std::size_t column = 0;
  while (column < kCuts.size() && longitude > kCuts[column]) ++column;
  return mollweide ? kMollweide[column] : kSinusoidal[column];
}

int LobeOfValidPoint(double latitude, double longitude) {
  if (latitude >= 0) return NorthernLobe(longitude, latitude >= kBandLimit);
  return SouthernLobe(longitude, latitude < -kBandLimit);
}

bool IsValid(LatLonRadians point) {
  return std::isfinite(point.latitude) && std::isfinite(point.longitude) &&
         std::fabs(point.latitude) <= std::numbers::pi / 2;
}

// Solves 2t + sin 2t = pi sin(latitude) for the Mollweide angle t. The
// left side grows steadily on [-pi, pi], so Newton steps that leave the
// bracket, or stall where the slope vanishes at the poles, become halvings.
double MollweideAngle(double latitude) {
  const double target = kPi * std::sin(latitude);
  double low = -kPi;
  double high = kPi;
  double doubled = latitude;
  for (int step = 0; step < 200; ++step) {
    const double excess = doubled + std::sin(doubled) - target;
    if (excess == 0) break;
    (excess > 0 ? high : low) = doubled;
    const double slope = 1 + std::cos(doubled);
    double next = doubled - excess / slope;
    if (!(next > low && next < high)) next = (low + high) / 2;
    if (std::fabs(next - doubled) < 1e-15) {
      doubled = next;
      break;
    }
    doubled = next;
  }
  return doubled / 2;
}

ProjectionMetres Sinusoidal(const Lobe& lobe, double latitude, double longitude) {
  const double east_of_centre = longitude - lobe.central_meridian;
  return {kEarthRadius * lobe.central_meridian + kEarthRadius * east_of_centre * std::cos(latitude),
          kEarthRadius * latitude};
}

ProjectionMetres Mollweide(const Lobe& lobe, double latitude, double longitude) {
  const double angle = MollweideAngle(latitude);
  const double east_of_centre = longitude - lobe.central_meridian;
  const double shift = latitude >= 0 ? kMollweideShift : -kMollweideShift;
  return {kEarthRadius * lobe.central_meridian +
              kEarthRadius * kMollweideX * east_of_centre * std::cos(angle),
          kEarthRadius * (kMollweideY * std::sin(angle) - shift)};
}

// Tile number and metres from the tile's centre along one axis, given the
// distance in metres from the grid's origin.
std::pair<int, double> SplitIntoTile(double grid_metres) {
  const double tile = std::floor(grid_metres / kTileSize);
  return {static_cast<int>(tile), grid_metres - tile * kTileSize - kTileSize / 2};
}

}  // namespace

std::optional<int> GoodeLobeOf(LatLonRadians point) {
  if (!IsValid(point)) return std::nullopt;
  return LobeOfValidPoint(point.latitude, WrapLongitude(point.longitude));
}

std::optional<ProjectionMetres> GoodeForward(LatLonRadians point) {
  if (!IsValid(point)) return std::nullopt;
  const double longitude = WrapLongitude(point.longitude);
  const Lobe& lobe = kLobes[LobeOfValidPoint(point.latitude, longitude)];
  return lobe.mollweide ? Mollweide(lobe, point.latitude, longitude)
                        : Sinusoidal(lobe, point.latitude, longitude);
}

TilePosition TilePositionOf(ProjectionMetres metres) {
  // The grid's two formulas solved for X and Z, in metres (X 2048, Z 2048)
  // so that the tile's fraction keeps every bit the metres have.
  const double grid_origin = (kTileOffset - 1) * kTileSize;
  const auto [tile_x, x] = SplitIntoTile(metres.x + kEastingOffset - grid_origin);
  const auto [tile_z, z] = SplitIntoTile(metres.y - kNorthingOffset + grid_origin);
  return {tile_x, tile_z, x, z};
}

std::optional<TilePosition> TilePositionOf(LatLonRadians point) {
  const auto metres = GoodeForward(point);
  if (!metres) return std::nullopt;
  return TilePositionOf(*metres);
}

}  // namespace tarvik::transit
