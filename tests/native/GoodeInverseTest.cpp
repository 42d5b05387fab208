#include "transit/GoodeInverse.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <limits>

namespace tarvik::transit {
namespace {

constexpr double kR = 6370997.0;
constexpr double kPi = 3.14159265358979;
constexpr double kBand = 0.710987989993;
constexpr double kDegreesPerRadian = 57.2957795131;
// Half a unit of the fifth decimal that the Transit window shows.
constexpr double kHalfShownDegree = 5e-6;
// Outputs preset to these show whether the inverse wrote them.
constexpr double kUntouchedLon = 111;
constexpr double kUntouchedLat = 222;

struct Inverse {
  GoodeStatus status;
  double lon = kUntouchedLon;
  double lat = kUntouchedLat;
};

Inverse InverseOf(double tile_x, double tile_z) {
  Inverse result{};
  result.status = GoodeInverse(InitGoodeLobes(kR), tile_x, tile_z, result.lon, result.lat);
  return result;
}

// The tile Z whose y is `y` metres, by the grid's formula solved for Z.
double TileZForY(double y) { return 16385 - 1 - (8673000 - y) / 2048; }
double TileXForX(double x) { return (x + 20015000) / 2048 - 16385 + 1; }

TEST(GoodeInverse, TileToMetresOfTheWorkedExamples) {
  const PlaneMetres sinusoidal = GoodeTileToMetres(-10999.5, 14300.5);
  EXPECT_EQ(sinusoidal.x, -8987544);
  EXPECT_EQ(sinusoidal.y, 4405992);
  EXPECT_EQ(GoodeTileToMetres(-10999.5, 14500.5).y, 4815592);
}

TEST(GoodeInverse, LobeTablesOfTheRouteEditorsSphere) {
  const GoodeLobes lobes = InitGoodeLobes(kR);
  EXPECT_EQ(lobes.EarthRadius, kR);
  const std::array<double, 12> central = {
      -1.74532925199, -1.74532925199, 0.523598775598, 0.523598775598,
      -2.79252680319, -1.0471975512,  -2.79252680319, -1.0471975512,
      0.349065850399, 2.44346095279,  0.349065850399, 2.44346095279};
  for (int lobe = 0; lobe < 12; ++lobe) {
    EXPECT_EQ(lobes.LobeCentralMeridian[lobe], central[lobe]) << lobe;
    EXPECT_EQ(lobes.LobeFalseEasting[lobe], kR * central[lobe]) << lobe;
  }
  EXPECT_NEAR(lobes.LobeFalseEasting[1], -11119487.43, 0.01);
  EXPECT_EQ(InitGoodeLobes(1.0).LobeFalseEasting[9], 2.44346095279);
}

TEST(GoodeInverse, SinusoidalWorkedExample) {
  EXPECT_EQ(GoodeLobeAt(InitGoodeLobes(kR), {-8987544, 4405992}), 1);
  const Inverse result = InverseOf(-10999.5, 14300.5);
  EXPECT_EQ(result.status, GoodeStatus::Inside);
  EXPECT_NEAR(result.lat, 0.6915703, 1e-7);
  EXPECT_NEAR(result.lon, -1.3108800, 1e-7);
  EXPECT_NEAR(result.lat * kDegreesPerRadian, 39.62406, kHalfShownDegree);
  EXPECT_NEAR(result.lon * kDegreesPerRadian, -75.10789, kHalfShownDegree);
}

TEST(GoodeInverse, MollweideWorkedExample) {
  EXPECT_NEAR(kR * kBand, 4529702.35, 0.01) << "the band limit lies below y = 4815592";
  EXPECT_EQ(GoodeLobeAt(InitGoodeLobes(kR), {-8987544, 4815592}), 0);
  const Inverse result = InverseOf(-10999.5, 14500.5);
  EXPECT_EQ(result.status, GoodeStatus::Inside);
  // a = 0.5718126 gives the auxiliary angle 0.6087136.
  EXPECT_NEAR(std::asin((kR * 0.0528035274542 + 4815592) / (kR * 1.4142135623731)), 0.6087136,
              1e-7);
  EXPECT_NEAR(result.lat * kDegreesPerRadian, 43.32701, kHalfShownDegree);
  EXPECT_NEAR(result.lon * kDegreesPerRadian, -74.04157, kHalfShownDegree);
}

TEST(GoodeInverse, PointsOnACutBelongToTheWesternLobe) {
  const GoodeLobes lobes = InitGoodeLobes(kR);
  const double inf = std::numeric_limits<double>::infinity();
  struct Cut {
    double at;  // x / R where the cut stands
    double y;
    int west;
    int east;
  };
  const std::array<Cut, 8> cuts = {{
      {-0.698131700798, 1000, 1, 3},
      {-0.698131700798, 5e6, 0, 2},
      {-1.74532925199, -1000, 4, 5},
      {-0.349065850399, -1000, 5, 8},
      {1.3962634016, -1000, 8, 9},
      {-1.74532925199, -5e6, 6, 7},
      {-0.349065850399, -5e6, 7, 10},
      {1.3962634016, -5e6, 10, 11},
  }};
  for (const Cut& cut : cuts) {
    const double x = kR * cut.at;
    EXPECT_EQ(GoodeLobeAt(lobes, {x, cut.y}), cut.west) << cut.at << " " << cut.y;
    EXPECT_EQ(GoodeLobeAt(lobes, {std::nextafter(x, inf), cut.y}), cut.east)
        << cut.at << " " << cut.y;
    EXPECT_EQ(GoodeLobeAt(lobes, {std::nextafter(x, -inf), cut.y}), cut.west)
        << cut.at << " " << cut.y;
  }
  EXPECT_EQ(GoodeLobeAt(lobes, {-kR * kPi, 1000}), 1) << "the far west";
  EXPECT_EQ(GoodeLobeAt(lobes, {kR * kPi, -5e6}), 11) << "the far east";
}

TEST(GoodeInverse, BandLimitBelongsToMollweideAndTheEquatorToTheNorth) {
  const GoodeLobes lobes = InitGoodeLobes(kR);
  const double limit = kR * kBand;
  EXPECT_EQ(GoodeLobeAt(lobes, {0, limit}), 2);
  EXPECT_EQ(GoodeLobeAt(lobes, {0, std::nextafter(limit, 0.0)}), 3);
  EXPECT_EQ(GoodeLobeAt(lobes, {-1e7, limit}), 0);
  EXPECT_EQ(GoodeLobeAt(lobes, {-1e7, std::nextafter(limit, 0.0)}), 1);
  EXPECT_EQ(GoodeLobeAt(lobes, {0, 0}), 3);
  EXPECT_EQ(GoodeLobeAt(lobes, {0, -1e-9}), 8);
  EXPECT_EQ(GoodeLobeAt(lobes, {0, kR * -kBand}), 8) << "the southern limit is still sinusoidal";
  EXPECT_EQ(GoodeLobeAt(lobes, {0, std::nextafter(kR * -kBand, -1e9)}), 10);
}

TEST(GoodeInverse, AdjustLongitudeWrapsPiOnceAgainstItsSign) {
  EXPECT_EQ(AdjustLongitude(kPi), -kPi);
  EXPECT_EQ(AdjustLongitude(-kPi), kPi);
  EXPECT_EQ(AdjustLongitude(std::nextafter(kPi, 0.0)), std::nextafter(kPi, 0.0));
  EXPECT_EQ(AdjustLongitude(-3.0), -3.0);
  EXPECT_EQ(AdjustLongitude(0), 0);
  EXPECT_DOUBLE_EQ(AdjustLongitude(4.0), 4.0 - 6.28318530717958);
  EXPECT_DOUBLE_EQ(AdjustLongitude(-4.0), -4.0 + 6.28318530717958);
  EXPECT_DOUBLE_EQ(AdjustLongitude(10.0), 10.0 - 6.28318530717958) << "a single step";
}

TEST(GoodeInverse, SignOfCountsZeroAsPositive) {
  EXPECT_EQ(SignOf(0.0), 1);
  EXPECT_EQ(SignOf(-0.0), 1);
  EXPECT_EQ(SignOf(2.5), 1);
  EXPECT_EQ(SignOf(-1e-300), -1);
  EXPECT_EQ(SignOf(-7), -1);
}

TEST(GoodeInverse, BeyondTheMollweideBandWritesNeitherOutput) {
  // The band ends at y = R (sqrt 2 - shift), about 8673549.5 m.
  const double top = kR * (1.4142135623731 - 0.0528035274542);
  for (double y : {top + 10, -top - 10, 9e6, -9e6}) {
    const Inverse result = InverseOf(TileXForX(3e6), TileZForY(y));
    EXPECT_EQ(result.status, GoodeStatus::OutsideLobe) << y;
    EXPECT_EQ(result.lon, kUntouchedLon) << y;
    EXPECT_EQ(result.lat, kUntouchedLat) << y;
  }
}

TEST(GoodeInverse, MollweideLongitudeWestOfPiWritesOnlyTheLongitude) {
  // Far west in lobe 0: the longitude passes -pi before the range check.
  const Inverse result = InverseOf(TileXForX(-1.9e7), TileZForY(6e6));
  EXPECT_EQ(result.status, GoodeStatus::OutsideLobe);
  EXPECT_LT(result.lon, -kPi);
  EXPECT_EQ(result.lat, kUntouchedLat);
}

TEST(GoodeInverse, SineOfLatitudeAboveOneAtThePoleWritesOnlyTheLongitude) {
  // Within a millimetre of the band's top the auxiliary angle comes so close
  // to pi/2 that 2t + sin 2t exceeds the fourteen-decimal pi.
  const double top = kR * (1.4142135623731 - 0.0528035274542);
  const double cm = kR * 0.523598775598;
  const Inverse result = InverseOf(TileXForX(cm), TileZForY(top - 1e-4));
  EXPECT_EQ(result.status, GoodeStatus::OutsideLobe);
  EXPECT_NEAR(result.lon, 0.523598775598, 1e-6);
  EXPECT_EQ(result.lat, kUntouchedLat);
  // A metre lower it is a proper point by the pole.
  const Inverse below = InverseOf(TileXForX(cm), TileZForY(top - 1));
  EXPECT_EQ(below.status, GoodeStatus::Inside);
  EXPECT_NEAR(below.lat, kPi / 2, 1e-2);
}

TEST(GoodeInverse, ABreakBetweenLobesWritesBothOutputs) {
  // Just west of the 40 W cut at 30 N: lobe 1's part of the plane, but the
  // sinusoidal meridians of lobe 1 end before the cut at that latitude.
  const double y = kR * 0.5235987756;
  const Inverse result = InverseOf(TileXForX(kR * -0.698131700798 - 50000), TileZForY(y));
  EXPECT_EQ(result.status, GoodeStatus::OutsideLobe);
  EXPECT_NEAR(result.lat, 0.5235987756, 1e-6);
  EXPECT_GT(result.lon, -0.698131700798);
  EXPECT_LT(result.lon, -0.5);
  // The same just east of the cut lies in lobe 3 and west of its bounds.
  const Inverse east = InverseOf(TileXForX(kR * -0.698131700798 + 50000), TileZForY(y));
  EXPECT_EQ(east.status, GoodeStatus::OutsideLobe);
  EXPECT_LT(east.lon, -0.698131700798);
  EXPECT_NEAR(east.lat, 0.5235987756, 1e-6);
}

TEST(GoodeInverse, SinusoidalLongitudePastPiIsWrappedAndThenOutOfItsLobe) {
  // Lobe 9 at 40 S reaches x = R (140 deg + 40 deg / cos 40 deg) short of
  // the far east; beyond that the longitude passes pi and wraps to the west.
  const double y = -kR * 0.6981317;
  const Inverse result = InverseOf(TileXForX(kR * 3.12), TileZForY(y));
  EXPECT_EQ(result.status, GoodeStatus::OutsideLobe);
  EXPECT_LT(result.lon, -2.5) << "wrapped once";
  EXPECT_GT(result.lon, -kPi);
  EXPECT_NEAR(result.lat, -0.6981317, 1e-6);
}

TEST(GoodeInverse, TheCentreOfEachLobeComesBackOnItsCentralMeridian) {
  struct Row {
    double y;
    int lobe;
  };
  const std::array<Row, 12> rows = {{{6e6, 0}, {2e6, 1}, {6e6, 2}, {2e6, 3}, {-2e6, 4},
                                     {-2e6, 5}, {-6e6, 6}, {-6e6, 7}, {-2e6, 8}, {-2e6, 9},
                                     {-6e6, 10}, {-6e6, 11}}};
  const GoodeLobes lobes = InitGoodeLobes(kR);
  for (const Row& row : rows) {
    const double cm = lobes.LobeCentralMeridian[row.lobe];
    const double tile_x = TileXForX(kR * cm);
    const double tile_z = TileZForY(row.y);
    EXPECT_EQ(GoodeLobeAt(lobes, GoodeTileToMetres(tile_x, tile_z)), row.lobe);
    const Inverse result = InverseOf(tile_x, tile_z);
    EXPECT_EQ(result.status, GoodeStatus::Inside) << row.lobe;
    EXPECT_NEAR(result.lon, cm, 1e-9) << row.lobe;
    EXPECT_EQ(result.lat > 0, row.y > 0) << row.lobe;
  }
}

}  // namespace
}  // namespace tarvik::transit
