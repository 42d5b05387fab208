#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <numbers>

#include "transit/GoodeForward.h"

namespace tarvik::transit {
namespace {

constexpr double kRadiansPerDegree = std::numbers::pi / 180;
constexpr double kR = 6370997.0;
// Five decimals of a degree are at most 0.56 m on the ground.
constexpr double kFiveDecimalsOfADegreeInMetres = 0.6;

LatLonRadians Degrees(double latitude, double longitude) {
  return {latitude * kRadiansPerDegree, longitude * kRadiansPerDegree};
}

// The Transit window's inverse, written here a second time straight from its
// description, so that the forward projection is checked against the
// formulas and not against itself.
struct Inverse {
  double latitude = 0;
  double longitude = 0;
  int lobe = -1;
  int status = -2;
};

constexpr double kPi = 3.14159265358979;
constexpr double kBand = 0.710987989993;

struct LobeRow {
  double central_meridian;
  double west_bound;
  double east_bound;
};

constexpr std::array<LobeRow, 12> kLobeRows = {{
    {-1.74532925199, -kPi, -0.698131700798},           // 0
    {-1.74532925199, -kPi, -0.698131700798},           // 1
    {0.523598775598, -0.698131700798, kPi},            // 2
    {0.523598775598, -0.698131700798, kPi},            // 3
    {-2.79252680319, -kPi, -1.74532925199},            // 4
    {-1.0471975512, -1.74532925199, -0.349065850399},  // 5
    {-2.79252680319, -kPi, -1.74532925199},            // 6
    {-1.0471975512, -1.74532925199, -0.349065850399},  // 7
    {0.349065850399, -0.349065850399, 1.3962634016},   // 8
    {2.44346095279, 1.3962634016, kPi},                // 9
    {0.349065850399, -0.349065850399, 1.3962634016},   // 10
    {2.44346095279, 1.3962634016, kPi},                // 11
}};

int InverseLobe(double x, double y) {
  if (y >= kR * kBand) return x <= kR * -0.698131700798 ? 0 : 2;
  if (y >= 0) return x <= kR * -0.698131700798 ? 1 : 3;
  const bool mollweide = y < kR * -kBand;
  if (x <= kR * -1.74532925199) return mollweide ? 6 : 4;
  if (x <= kR * -0.349065850399) return mollweide ? 7 : 5;
  if (x <= kR * 1.3962634016) return mollweide ? 10 : 8;
  return mollweide ? 11 : 9;
}

double SignOf(double v) { return v >= 0 ? 1 : -1; }

double AdjustLongitude(double lon) {
  return std::fabs(lon) >= kPi ? lon - SignOf(lon) * 6.28318530717958 : lon;
}

Inverse GoodeInverse(double tile_x, double tile_z) {
  double x = ((tile_x + 16385) - 1) * 2048 - 20015000;
  const double y = 8673000 - ((16385 - tile_z) - 1) * 2048;
  Inverse result;
  result.lobe = InverseLobe(x, y);
  const LobeRow& row = kLobeRows[static_cast<size_t>(result.lobe)];
  const double centre = row.central_meridian;
  x -= kR * centre;
  const bool mollweide = result.lobe == 0 || result.lobe == 2 || result.lobe == 6 ||
                         result.lobe == 7 || result.lobe == 10 || result.lobe == 11;
  if (!mollweide) {
    result.latitude = y / kR;
    result.longitude = AdjustLongitude(centre + x / (kR * std::cos(result.latitude)));
  } else {
    const double a = (kR * 0.0528035274542 * SignOf(y) + y) / (kR * 1.4142135623731);
    if (std::fabs(a) > 1) return result;
    const double theta = std::asin(a);
    result.longitude = x / (kR * 0.900316316158 * std::cos(theta)) + centre;
    const double b = (2 * theta + std::sin(2 * theta)) / kPi;
    if (result.longitude < -kPi || std::fabs(b) > 1) return result;
    result.latitude = std::asin(b);
  }
  const bool inside = result.longitude >= row.west_bound && result.longitude <= row.east_bound;
  result.status = inside ? 1 : -2;
  return result;
}

Inverse InverseOf(const TilePosition& p) {
  return GoodeInverse(p.tile_x + (p.x + 1024) / 2048, p.tile_z + (p.z + 1024) / 2048);
}

TEST(GoodeForward, LocalInverseReproducesTheWorkedExamples) {
  const Inverse sinusoidal = GoodeInverse(-10999.5, 14300.5);
  EXPECT_EQ(sinusoidal.lobe, 1);
  EXPECT_NEAR(sinusoidal.latitude, 0.6915703, 1e-7);
  EXPECT_NEAR(sinusoidal.longitude, -1.3108800, 1e-7);
  const Inverse mollweide = GoodeInverse(-10999.5, 14500.5);
  EXPECT_EQ(mollweide.lobe, 0);
  EXPECT_NEAR(mollweide.latitude / kRadiansPerDegree, 43.32701, 5e-6);
  EXPECT_NEAR(mollweide.longitude / kRadiansPerDegree, -74.04157, 5e-6);
}

TEST(GoodeForward, SinusoidalWorkedExampleLandsOnTheCentreOfItsTile) {
  const auto metres = GoodeForward(Degrees(39.62406, -75.10789));
  ASSERT_TRUE(metres);
  EXPECT_NEAR(metres->x, -8987544, kFiveDecimalsOfADegreeInMetres);
  EXPECT_NEAR(metres->y, 4405992, kFiveDecimalsOfADegreeInMetres);
  const auto tile = TilePositionOf(Degrees(39.62406, -75.10789));
  ASSERT_TRUE(tile);
  EXPECT_EQ(tile->tile_x, -11000);
  EXPECT_EQ(tile->tile_z, 14300);
  EXPECT_NEAR(tile->x, 0, kFiveDecimalsOfADegreeInMetres);
  EXPECT_NEAR(tile->z, 0, kFiveDecimalsOfADegreeInMetres);
  EXPECT_EQ(GoodeLobeOf(Degrees(39.62406, -75.10789)), 1);
}

TEST(GoodeForward, MollweideWorkedExampleLandsOnTheCentreOfItsTile) {
  const auto tile = TilePositionOf(Degrees(43.32701, -74.04157));
  ASSERT_TRUE(tile);
  EXPECT_EQ(tile->tile_x, -11000);
  EXPECT_EQ(tile->tile_z, 14500);
  EXPECT_NEAR(tile->x, 0, kFiveDecimalsOfADegreeInMetres);
  EXPECT_NEAR(tile->z, 0, kFiveDecimalsOfADegreeInMetres);
  EXPECT_EQ(GoodeLobeOf(Degrees(43.32701, -74.04157)), 0);
}

TEST(GoodeForward, RoundTripThroughTheInverseEverywhereOnEarth) {
  int points = 0;
  for (double latitude = -89; latitude <= 89; latitude += 2.75) {
    for (double longitude = -179.5; longitude < 180; longitude += 3.25) {
      const LatLonRadians start = Degrees(latitude, longitude);
      const auto tile = TilePositionOf(start);
      ASSERT_TRUE(tile) << latitude << ", " << longitude;
      const Inverse back = InverseOf(*tile);
      ASSERT_EQ(back.status, 1) << latitude << ", " << longitude;
      EXPECT_EQ(back.lobe, GoodeLobeOf(start)) << latitude << ", " << longitude;
      EXPECT_NEAR(back.latitude, start.latitude, 1e-9) << latitude << ", " << longitude;
      EXPECT_NEAR(back.longitude, start.longitude, 1e-9) << latitude << ", " << longitude;
      ++points;
    }
  }
  EXPECT_GT(points, 7000);
}

TEST(GoodeForward, EachLobePutsItsCentralMeridianAtItsFalseEasting) {
  struct Case {
    double latitude;
    double central_meridian_degrees;
    int lobe;
  };
  const std::array<Case, 12> cases = {{
      {60, -100, 0},   // north, Mollweide
      {20, -100, 1},   // north, sinusoidal
      {60, 30, 2},     // north, Mollweide
      {20, 30, 3},     // north, sinusoidal
      {-20, -160, 4},  // south, sinusoidal
      {-20, -60, 5},   // south, sinusoidal
      {-60, -160, 6},  // south, Mollweide
      {-60, -60, 7},   // south, Mollweide
      {-20, 20, 8},    // south, sinusoidal
      {-20, 140, 9},   // south, sinusoidal
      {-60, 20, 10},   // south, Mollweide
      {-60, 140, 11},  // south, Mollweide
  }};
  for (const Case& c : cases) {
    const LatLonRadians point = Degrees(c.latitude, c.central_meridian_degrees);
    EXPECT_EQ(GoodeLobeOf(point), c.lobe) << c.lobe;
    const auto metres = GoodeForward(point);
    ASSERT_TRUE(metres);
    EXPECT_NEAR(metres->x, kR * kLobeRows[static_cast<size_t>(c.lobe)].central_meridian, 1e-3)
        << c.lobe;
  }
}

TEST(GoodeForward, CutsBelongToTheWesternLobeAndTheBandLimitToMollweide) {
  EXPECT_EQ(GoodeLobeOf({0.3, -0.698131700798}), 1);
  EXPECT_EQ(GoodeLobeOf({0.3, std::nextafter(-0.698131700798, 0.0)}), 3);
  EXPECT_EQ(GoodeLobeOf({-0.3, -1.74532925199}), 4);
  EXPECT_EQ(GoodeLobeOf({-0.3, -0.349065850399}), 5);
  EXPECT_EQ(GoodeLobeOf({-0.3, 1.3962634016}), 8);
  EXPECT_EQ(GoodeLobeOf({-0.3, std::nextafter(1.3962634016, 2.0)}), 9);
  EXPECT_EQ(GoodeLobeOf({kBand, 0}), 2);
  EXPECT_EQ(GoodeLobeOf({std::nextafter(kBand, 0.0), 0}), 3);
  EXPECT_EQ(GoodeLobeOf({-kBand, 0}), 8);
  EXPECT_EQ(GoodeLobeOf({std::nextafter(-kBand, -1.0), 0}), 10);
  EXPECT_EQ(GoodeLobeOf({0, 0}), 3) << "the equator is northern";
}

TEST(GoodeForward, TheTwoBandsMeetAtTheLimit) {
  const auto mollweide = GoodeForward({kBand, 0.5});
  const auto sinusoidal = GoodeForward({std::nextafter(kBand, 0.0), 0.5});
  ASSERT_TRUE(mollweide && sinusoidal);
  // Twelve-digit constants leave a seam of a few centimetres.
  EXPECT_NEAR(mollweide->y, sinusoidal->y, 0.1);
  EXPECT_NEAR(mollweide->x, sinusoidal->x, 0.1);
}

TEST(GoodeForward, PolesLieOnTheirLobesCentreLine) {
  // The inverse's decimal pi falls 3e-15 short of pi, so that its Mollweide
  // angle never quite reaches the pole: the pole is a few metres of line, and
  // only going the same way keeps the round trip exact.
  const auto north = GoodeForward({std::numbers::pi / 2, 1.0});
  ASSERT_TRUE(north);
  EXPECT_NEAR(north->x, kR * kLobeRows[2].central_meridian, 50);
  EXPECT_NEAR(north->y, kR * (1.4142135623731 - 0.0528035274542), 0.01);
  const auto south = GoodeForward({-std::numbers::pi / 2, -1.0});
  ASSERT_TRUE(south);
  EXPECT_NEAR(south->x, kR * kLobeRows[7].central_meridian, 50);
  EXPECT_NEAR(south->y, -north->y, 0.01);
}

TEST(GoodeForward, LongitudesAreWrappedAndImpossiblePointsRefused) {
  const auto wrapped = GoodeForward(Degrees(10, 190));
  const auto plain = GoodeForward(Degrees(10, -170));
  ASSERT_TRUE(wrapped && plain);
  EXPECT_NEAR(wrapped->x, plain->x, 1e-6);
  EXPECT_EQ(GoodeLobeOf(Degrees(-10, 540)), GoodeLobeOf(Degrees(-10, 180)));
  EXPECT_FALSE(GoodeForward(Degrees(90.001, 0)));
  EXPECT_FALSE(GoodeForward({std::nan(""), 0}));
  EXPECT_FALSE(TilePositionOf(LatLonRadians{0, INFINITY}));
}

TEST(GoodeForward, TileGridSplitsAtTileEdges) {
  const TilePosition centre = TilePositionOf(ProjectionMetres{-8987544, 4405992});
  EXPECT_EQ(centre.tile_x, -11000);
  EXPECT_EQ(centre.tile_z, 14300);
  EXPECT_EQ(centre.x, 0);
  EXPECT_EQ(centre.z, 0);
  // Tile X = -10999 begins 1024 m east of that centre, tile Z = 14301 1024 m north.
  const TilePosition edge = TilePositionOf(ProjectionMetres{-8987544 + 1024, 4405992 + 1024});
  EXPECT_EQ(edge.tile_x, -10999);
  EXPECT_EQ(edge.tile_z, 14301);
  EXPECT_EQ(edge.x, -1024);
  EXPECT_EQ(edge.z, -1024);
  const TilePosition before = TilePositionOf(ProjectionMetres{-8987544 + 1023.5, 4405992 - 1024});
  EXPECT_EQ(before.tile_x, -11000);
  EXPECT_EQ(before.x, 1023.5);
  EXPECT_EQ(before.tile_z, 14300);
  EXPECT_EQ(before.z, -1024);
}

}  // namespace
}  // namespace tarvik::transit
