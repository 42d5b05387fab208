// The inverse projection against an independent one: PROJ's interrupted
// Goode homolosine on the same sphere.
//
// PROJ's igh works in the same plane as the Route Editor's grid: each lobe
// is offset by R times its central meridian, the Mollweide bands are moved
// towards the equator to meet the sinusoidal one at 40d44'11.8", and there
// is no false easting or northing. So the projection metres that the tile
// grid gives are PROJ's x and y unchanged; the worked examples below confirm
// it. Only the numbering differs: PROJ's zones 1 to 12 are our lobes 0, 2,
// 1, 3, 4, 5, 8, 9, 6, 7, 10, 11.
//
// The Route Editor's Mollweide shift, 0.0528035274542, is 8.6e-11 larger
// than the exact value PROJ computes. The gap grows towards the poles, where
// the Mollweide lobes pinch to a point: it stays near 5e-10 radians up to
// 70 degrees of latitude, passes 1e-9 beyond about 77 degrees and is a few
// millimetres on the ground at the pole.
#include <proj.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <iostream>
#include <memory>
#include <optional>

#include "transit/GoodeInverse.h"

namespace tarvik::transit {
namespace {

constexpr double kR = 6370997.0;
constexpr double kPi = 3.14159265358979;
constexpr double kDegreesPerRadian = 57.2957795131;
constexpr double kAgreement = 1e-9;  // radians
// Up to here the two Mollweide shifts stay within kAgreement.
constexpr double kAgreementLatitude = 70 / kDegreesPerRadian;
// Beyond it, what the two differ by on the ground.
constexpr double kGroundAgreement = 0.01;  // metres
// A point this close to a lobe's edge may fall either side of it.
constexpr double kEdgeMargin = 1e-6;  // radians, about 6 m
// The top and bottom of the Mollweide bands.
const double kTop = kR * (1.4142135623731 - 0.0528035274542);

struct ProjDeleter {
  void operator()(PJ* p) const { proj_destroy(p); }
  void operator()(PJ_CONTEXT* c) const { proj_context_destroy(c); }
};

class Proj {
 public:
  Proj() : context_(proj_context_create()), igh_(proj_create(context_.get(), "+proj=igh +R=6370997")) {}
  bool Ready() const { return igh_ != nullptr; }

  // Longitude and latitude in radians, or nothing where PROJ refuses.
  std::optional<std::array<double, 2>> Inverse(double x, double y) const {
    proj_errno_reset(igh_.get());
    const PJ_COORD lp = proj_trans(igh_.get(), PJ_INV, proj_coord(x, y, 0, 0));
    if (!std::isfinite(lp.lp.lam) || !std::isfinite(lp.lp.phi) || lp.lp.lam == HUGE_VAL) {
      return std::nullopt;
    }
    return std::array<double, 2>{lp.lp.lam, lp.lp.phi};
  }

  std::optional<std::array<double, 2>> Forward(double lon, double lat) const {
    const PJ_COORD xy = proj_trans(igh_.get(), PJ_FWD, proj_coord(lon, lat, 0, 0));
    if (!std::isfinite(xy.xy.x) || xy.xy.x == HUGE_VAL) return std::nullopt;
    return std::array<double, 2>{xy.xy.x, xy.xy.y};
  }

 private:
  std::unique_ptr<PJ_CONTEXT, ProjDeleter> context_;
  std::unique_ptr<PJ, ProjDeleter> igh_;
};

double TileXForX(double x) { return (x + 20015000) / 2048 - 16385 + 1; }
double TileZForY(double y) { return 16385 - 1 - (8673000 - y) / 2048; }

struct Ours {
  GoodeStatus status;
  double lon = NAN;
  double lat = NAN;
  int lobe = -1;
  PlaneMetres metres;
};

Ours OursAt(const GoodeLobes& lobes, double tile_x, double tile_z) {
  Ours ours{};
  ours.metres = GoodeTileToMetres(tile_x, tile_z);
  ours.lobe = GoodeLobeAt(lobes, ours.metres);
  ours.status = GoodeInverse(lobes, tile_x, tile_z, ours.lon, ours.lat);
  return ours;
}

// Longitude bounds of each lobe, and the cuts and band limit in the plane.
constexpr std::array<std::array<double, 2>, 12> kBounds = {{
    {-kPi, -0.698131700798}, {-kPi, -0.698131700798}, {-0.698131700798, kPi},
    {-0.698131700798, kPi}, {-kPi, -1.74532925199}, {-1.74532925199, -0.349065850399},
    {-kPi, -1.74532925199}, {-1.74532925199, -0.349065850399}, {-0.349065850399, 1.3962634016},
    {1.3962634016, kPi}, {-0.349065850399, 1.3962634016}, {1.3962634016, kPi},
}};

bool NearAnEdge(const Ours& ours) {
  const auto& bounds = kBounds[static_cast<size_t>(ours.lobe)];
  const double band = kR * 0.710987989993;
  const double metres = kR * kEdgeMargin;
  return std::fabs(ours.lon - bounds[0]) < kEdgeMargin ||
         std::fabs(ours.lon - bounds[1]) < kEdgeMargin || std::fabs(ours.metres.y) < metres ||
         std::fabs(std::fabs(ours.metres.y) - band) < metres ||
         std::fabs(std::fabs(ours.metres.y) - kTop) < metres;
}

class GoodeInverseAgainstProj : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(proj.Ready()) << "PROJ has no igh"; }
  Proj proj;
  GoodeLobes lobes = InitGoodeLobes(kR);
};

// PROJ's zone checks also take, in the north, the Mollweide lobes' corners
// beyond their cut near the pole; the Route Editor's range check does not.
bool InProjsNorthPolarOverlap(const Ours& ours) {
  const double lat = ours.lat * kDegreesPerRadian;
  const double lon = ours.lon * kDegreesPerRadian;
  if (ours.lobe == 0) return lat >= 60 && lon >= -40 && lon <= -10;
  if (ours.lobe == 2) return (lat >= 50 && lon <= -160) || (lat >= 60 && lon >= -50 && lon <= -40);
  return false;
}

TEST_F(GoodeInverseAgainstProj, WorkedExamplesNeedNoChangeOfOrigin) {
  for (auto [tile_z, latitude, longitude] :
       {std::array<double, 3>{14300.5, 39.62406, -75.10789}, {14500.5, 43.32701, -74.04157}}) {
    const PlaneMetres metres = GoodeTileToMetres(-10999.5, tile_z);
    const auto reference = proj.Inverse(metres.x, metres.y);
    ASSERT_TRUE(reference);
    EXPECT_NEAR((*reference)[1] * kDegreesPerRadian, latitude, 5e-6);
    EXPECT_NEAR((*reference)[0] * kDegreesPerRadian, longitude, 5e-6);
    const Ours ours = OursAt(lobes, -10999.5, tile_z);
    EXPECT_NEAR(ours.lat, (*reference)[1], kAgreement);
    EXPECT_NEAR(ours.lon, (*reference)[0], kAgreement);
  }
}

TEST_F(GoodeInverseAgainstProj, ThousandsOfTilePositionsOverAllTwelveLobes) {
  constexpr int kColumns = 400;
  constexpr int kRows = 160;
  std::array<int, 12> compared{};
  int near_edges = 0;
  int polar_overlap = 0;
  double worst_low = 0;
  double worst_anywhere = 0;
  for (int column = 0; column < kColumns; ++column) {
    for (int row = 0; row < kRows; ++row) {
      // Odd fractions keep the samples off the cuts' round numbers.
      const double x = -kR * kPi + (column + 0.37) * 2 * kR * kPi / kColumns;
      const double y = -kTop + (row + 0.41) * 2 * kTop / kRows;
      const Ours ours = OursAt(lobes, TileXForX(x), TileZForY(y));
      const auto reference = proj.Inverse(ours.metres.x, ours.metres.y);
      if (std::isfinite(ours.lon) && std::isfinite(ours.lat) && NearAnEdge(ours)) {
        ++near_edges;
        continue;
      }
      if (ours.status == GoodeStatus::OutsideLobe) {
        if (!reference) continue;
        ASSERT_TRUE(InProjsNorthPolarOverlap(ours))
            << "only PROJ takes lobe " << ours.lobe << " lat " << ours.lat * kDegreesPerRadian
            << " lon " << ours.lon * kDegreesPerRadian;
        ++polar_overlap;
        continue;
      }
      ASSERT_TRUE(reference) << "PROJ refuses lobe " << ours.lobe << " lat "
                             << ours.lat * kDegreesPerRadian << " lon "
                             << ours.lon * kDegreesPerRadian;
      const double dlon = std::fabs(ours.lon - (*reference)[0]);
      const double dlat = std::fabs(ours.lat - (*reference)[1]);
      worst_anywhere = std::max({worst_anywhere, dlon, dlat});
      if (std::fabs(ours.lat) <= kAgreementLatitude) {
        worst_low = std::max({worst_low, dlon, dlat});
        EXPECT_LE(dlon, kAgreement) << "lobe " << ours.lobe << " at " << x << ", " << y;
        EXPECT_LE(dlat, kAgreement) << "lobe " << ours.lobe << " at " << x << ", " << y;
      }
      EXPECT_LE(dlat * kR, kGroundAgreement) << "lobe " << ours.lobe;
      EXPECT_LE(dlon * kR * std::cos(ours.lat), kGroundAgreement) << "lobe " << ours.lobe;
      ++compared[static_cast<size_t>(ours.lobe)];
    }
  }
  int total = 0;
  for (int lobe = 0; lobe < 12; ++lobe) {
    EXPECT_GE(compared[static_cast<size_t>(lobe)], 800) << "lobe " << lobe;
    total += compared[static_cast<size_t>(lobe)];
  }
  EXPECT_GT(polar_overlap, 0) << "the overlap check looked at nothing";
  std::cout << "PROJ igh: " << total << " tile positions agree; largest difference "
            << worst_low << " rad within 70 degrees of the equator, " << worst_anywhere
            << " rad anywhere; " << near_edges << " near lobe edges skipped, " << polar_overlap
            << " in PROJ's polar overlap\n";
}

TEST_F(GoodeInverseAgainstProj, InverseOfProjsForwardReturnsToTheStart) {
  int compared = 0;
  double worst = 0;
  for (double lat_degrees = -69.75; lat_degrees <= 70; lat_degrees += 1.5) {
    for (double lon_degrees = -179.6; lon_degrees < 180; lon_degrees += 1.3) {
      const double lat = lat_degrees / kDegreesPerRadian;
      const double lon = lon_degrees / kDegreesPerRadian;
      const auto metres = proj.Forward(lon, lat);
      ASSERT_TRUE(metres) << lat_degrees << ", " << lon_degrees;
      const Ours ours = OursAt(lobes, TileXForX((*metres)[0]), TileZForY((*metres)[1]));
      if (NearAnEdge(ours)) continue;
      ASSERT_EQ(ours.status, GoodeStatus::Inside) << lat_degrees << ", " << lon_degrees;
      EXPECT_NEAR(ours.lat, lat, kAgreement) << lat_degrees << ", " << lon_degrees;
      EXPECT_NEAR(ours.lon, lon, kAgreement) << lat_degrees << ", " << lon_degrees;
      worst = std::max({worst, std::fabs(ours.lat - lat), std::fabs(ours.lon - lon)});
      ++compared;
    }
  }
  EXPECT_GT(compared, 25000);
  std::cout << "PROJ igh forward then ours: " << compared << " points, largest difference "
            << worst << " rad\n";
}

TEST_F(GoodeInverseAgainstProj, BesideEachCutBothChooseTheSameLobeOrTheSameBreak) {
  struct Cut {
    double at;  // x / R
    bool north;
  };
  const std::array<Cut, 4> cuts = {{{-0.698131700798, true},
                                    {-1.74532925199, false},
                                    {-0.349065850399, false},
                                    {1.3962634016, false}}};
  int inside = 0;
  int breaks = 0;
  for (const Cut& cut : cuts) {
    for (double lat_degrees : {0.01, 5.0, 20.0, 35.0, 45.0, 55.0, 65.0}) {
      const double y = (cut.north ? 1 : -1) * kR * lat_degrees / kDegreesPerRadian;
      for (double offset : {-50000.0, -100.0, 100.0, 50000.0}) {
        const Ours ours = OursAt(lobes, TileXForX(kR * cut.at + offset), TileZForY(y));
        if (NearAnEdge(ours) || InProjsNorthPolarOverlap(ours)) continue;
        const auto reference = proj.Inverse(ours.metres.x, ours.metres.y);
        const bool ours_inside = ours.status == GoodeStatus::Inside;
        ASSERT_EQ(ours_inside, reference.has_value())
            << "cut " << cut.at << " lat " << lat_degrees << " offset " << offset;
        if (!ours_inside) {
          ++breaks;
          continue;
        }
        ++inside;
        EXPECT_NEAR(ours.lon, (*reference)[0], kAgreement) << cut.at << " " << lat_degrees;
        EXPECT_NEAR(ours.lat, (*reference)[1], kAgreement) << cut.at << " " << lat_degrees;
      }
    }
  }
  EXPECT_GT(inside, 20);
  EXPECT_GT(breaks, 20);
}

TEST_F(GoodeInverseAgainstProj, BothRefuseWhatLiesBeyondTheMollweideBands) {
  for (double x : {-1.5e7, 0.0, 1.5e7}) {
    for (double y : {kTop + 100, -kTop - 100}) {
      const Ours ours = OursAt(lobes, TileXForX(x), TileZForY(y));
      EXPECT_EQ(ours.status, GoodeStatus::OutsideLobe) << x << ", " << y;
      EXPECT_FALSE(proj.Inverse(ours.metres.x, ours.metres.y)) << x << ", " << y;
    }
  }
}

}  // namespace
}  // namespace tarvik::transit
