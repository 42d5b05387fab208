#include <gtest/gtest.h>

#include <optional>

#include "waypoints/exchange/AngleText.h"
#include "waypoints/exchange/PositionText.h"

namespace tarvik::waypoints::exchange {
namespace {

struct PasteCase {
  const char* text;
  std::optional<Position> expected;  // nullopt: the text pastes as it is
};

constexpr double kTolerance = 5e-7;

// Positions as people copy them; the expected degrees are worked out by hand
// from the minutes and seconds.
const PasteCase kPasteCases[] = {
    {"47.37819, 8.54019", Position{47.37819, 8.54019}},
    {"47.37819 8.54019", Position{47.37819, 8.54019}},
    {"  47.37819;8.54019\r\n", Position{47.37819, 8.54019}},
    {"-33.8568, 151.2153", Position{-33.8568, 151.2153}},
    {"47\u00B022'41.5\"N 8\u00B032'24.7\"E", Position{47.3781944, 8.5401944}},
    {"47\u00B022\u203241.5\u2033N, 8\u00B032\u203224.7\u2033E", Position{47.3781944, 8.5401944}},
    {"47\u00BA22'41.5''N 8\u00BA32'24.7''E", Position{47.3781944, 8.5401944}},
    {"47 22 41.5 N 8 32 24.7 E", Position{47.3781944, 8.5401944}},
    {"47 22 41.5 8 32 24.7", Position{47.3781944, 8.5401944}},
    {"N 47\u00B0 22.691' E 8\u00B0 32.411'", Position{47.3781833, 8.5401833}},
    {"S 33\u00B0 51.408' W 70\u00B0 39.6'", Position{-33.8568, -70.66}},
    {"33\u00B051'24.5\"S 151\u00B012'55.1\"E", Position{-33.8568056, 151.2153056}},
    {"40.7128\u00B0 N, 74.0060\u00B0 W", Position{40.7128, -74.006}},
    {"E 8.54019 N 47.37819", Position{47.37819, 8.54019}},
    {"8.54019E 47.37819N", Position{47.37819, 8.54019}},
    {"47.37819n 8.54019e", Position{47.37819, 8.54019}},
    {"90, -180", Position{90, -180}},
    // Web map addresses.
    {"https://www.google.com/maps/@47.37819,8.54019,15z", Position{47.37819, 8.54019}},
    {"@47.37819,8.54019,15z", Position{47.37819, 8.54019}},
    {"https://maps.google.com/?q=47.37819,8.54019", Position{47.37819, 8.54019}},
    {"?q=47.37819%2C-8.54019", Position{47.37819, -8.54019}},
    {"https://www.openstreetmap.org/#map=15/47.37819/8.54019", Position{47.37819, 8.54019}},
    {"https://www.openstreetmap.org/?mlat=47.37819&mlon=8.54019#map=12/47.3/8.5",
     Position{47.37819, 8.54019}},
    {"mlat=47.37819&mlon=8.54019", Position{47.37819, 8.54019}},
    {"geo:47.37819,8.54019,400;u=35", Position{47.37819, 8.54019}},
    // One number, three numbers, out of range, or read two ways: no position.
    {"47.37819", std::nullopt},
    {"", std::nullopt},
    {"47.37819, 8.54019, 400", std::nullopt},
    {"91, 8", std::nullopt},
    {"47, 180.5", std::nullopt},
    {"47\u00B060' N 8\u00B0 E", std::nullopt},
    {"47\u00B022'60\"N 8\u00B0E", std::nullopt},
    {"47.5\u00B030' N 8 E", std::nullopt},
    {"47\u00B0 41.5\" N 8 E", std::nullopt},
    {"N 47 N 8", std::nullopt},
    {"E 47 W 8", std::nullopt},
    {"-47 N 8 E", std::nullopt},
    {"N 47 E", std::nullopt},
    {"47.37819 N 8.54019", std::nullopt},  // the N may belong to either number
    {"47 8 32", std::nullopt},
    {"47 22 8 32", std::nullopt},
    {"Zurich 47.3 8.5", std::nullopt},
    {"47,5 8,5", std::nullopt},
    {"47.3 8.5 x", std::nullopt},
    {"1.2.3 4", std::nullopt},
    {"4.5E1 8", std::nullopt},
    {"https://example.com/?q=Zurich", std::nullopt},
    {"https://example.com/@91,8,15z", std::nullopt},
    {"https://example.com/#map=15/47.3", std::nullopt},
    {"see https://example.com/@47.3,8.5,15z", std::nullopt},
    {"https://example.com/?flat=47.3&flon=8.5", std::nullopt},
};

TEST(PastedPosition, NotationsHemispheresAddressesAndTextsThatAreNoPosition) {
  for (const auto& c : kPasteCases) {
    auto position = PastedPosition(c.text);
    ASSERT_EQ(position.has_value(), c.expected.has_value()) << c.text;
    if (!position) continue;
    EXPECT_NEAR(position->latitude, c.expected->latitude, kTolerance) << c.text;
    EXPECT_NEAR(position->longitude, c.expected->longitude, kTolerance) << c.text;
  }
}

TEST(PastedPosition, ANameBoxTakesOnlyAWholePositionNotAnAddress) {
  EXPECT_TRUE(ParsePosition("N 47\u00B0 22.691' E 8\u00B0 32.411'").has_value());
  EXPECT_FALSE(ParsePosition("@47.37819,8.54019,15z").has_value());
  EXPECT_FALSE(ParsePosition("mlat=47.37819&mlon=8.54019").has_value());
}

TEST(PastedPosition, BoxesShowAtMostSixDecimals) {
  auto texts = TextsOf(*PastedPosition("47\u00B022'41.5\"S 8\u00B032'24.7\"W"));
  ASSERT_TRUE(texts.has_value());
  EXPECT_EQ(texts->latitude, "-47.378194");
  EXPECT_EQ(texts->longitude, "-8.540194");
  texts = TextsOf(*PastedPosition("-0.0000001, 8.50000"));
  EXPECT_EQ(texts->latitude, "0");
  EXPECT_EQ(texts->longitude, "8.5");
}

TEST(ParseAngle, OneCoordinateOfAKnownAxis) {
  EXPECT_NEAR(*ParseAngle("47\u00B022'41.5\"N", Axis::Latitude), 47.3781944, kTolerance);
  EXPECT_NEAR(*ParseAngle("8 32.411 W", Axis::Longitude), -8.5401833, kTolerance);
  EXPECT_DOUBLE_EQ(*ParseAngle("-113.2", Axis::Longitude), -113.2);
  EXPECT_FALSE(ParseAngle("47\u00B022'41.5\"N", Axis::Longitude)) << "N names a latitude";
  EXPECT_FALSE(ParseAngle("120", Axis::Latitude));
  EXPECT_FALSE(ParseAngle("47.3 8.5", Axis::Latitude)) << "two angles";
  EXPECT_FALSE(ParseAngle("", Axis::Latitude));
}

}  // namespace
}  // namespace tarvik::waypoints::exchange
