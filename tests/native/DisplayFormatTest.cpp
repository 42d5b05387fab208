#include "transit/DisplayFormat.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace tarvik::transit {
namespace {

TEST(DisplayFormat, TwoPlacesAlwaysHasADigitBeforeThePoint) {
  EXPECT_EQ(FormatTwoPlaces(14.142135623730951), "14.14");
  EXPECT_EQ(FormatTwoPlaces(10), "10.00");
  EXPECT_EQ(FormatTwoPlaces(315), "315.00");
  EXPECT_EQ(FormatTwoPlaces(0), "0.00");
  EXPECT_EQ(FormatTwoPlaces(0.05), "0.05");
  EXPECT_EQ(FormatTwoPlaces(0.164042), "0.16");
  EXPECT_EQ(FormatTwoPlaces(-3.5), "-3.50");
  EXPECT_EQ(FormatTwoPlaces(1234567.891), "1234567.89") << "no thousands grouping";
  EXPECT_EQ(FormatTwoPlaces(1e20), "100000000000000000000.00");
}

TEST(DisplayFormat, TwoPlacesRoundsHalvesAwayFromZero) {
  EXPECT_EQ(FormatTwoPlaces(0.125), "0.13");
  EXPECT_EQ(FormatTwoPlaces(-0.125), "-0.13");
  EXPECT_EQ(FormatTwoPlaces(10.005), "10.01") << "as typed, not as the nearest double";
  EXPECT_EQ(FormatTwoPlaces(2.675), "2.68");
  EXPECT_EQ(FormatTwoPlaces(0.005), "0.01");
  EXPECT_EQ(FormatTwoPlaces(0.0049999), "0.00");
  EXPECT_EQ(FormatTwoPlaces(9.995), "10.00");
  EXPECT_EQ(FormatTwoPlaces(99.995), "100.00");
  EXPECT_EQ(FormatTwoPlaces(-999.999), "-1000.00");
  EXPECT_EQ(FormatTwoPlaces(0.0009), "0.00");
}

TEST(DisplayFormat, NoMinusForAValueThatRoundsToZero) {
  EXPECT_EQ(FormatTwoPlaces(-0.004), "0.00");
  EXPECT_EQ(FormatTwoPlaces(-0.0), "0.00");
  EXPECT_EQ(FormatTwoPlaces(-1e-300), "0.00");
  EXPECT_EQ(FormatTwoPlaces(-0.005), "-0.01");
  EXPECT_EQ(FormatFivePlaces(-0.000004), ".00000");
  EXPECT_EQ(FormatFivePlaces(-0.0), ".00000");
}

TEST(DisplayFormat, FivePlacesNeedsNoDigitBeforeThePoint) {
  EXPECT_EQ(FormatFivePlaces(39.6240567), "39.62406");
  EXPECT_EQ(FormatFivePlaces(-75.1078898), "-75.10789");
  EXPECT_EQ(FormatFivePlaces(0.5), ".50000");
  EXPECT_EQ(FormatFivePlaces(-0.5), "-.50000");
  EXPECT_EQ(FormatFivePlaces(0), ".00000");
  EXPECT_EQ(FormatFivePlaces(0.000005), ".00001");
  EXPECT_EQ(FormatFivePlaces(0.999994), ".99999");
  EXPECT_EQ(FormatFivePlaces(0.999995), "1.00000") << "a carry into the whole part";
  EXPECT_EQ(FormatFivePlaces(-0.999996), "-1.00000");
  EXPECT_EQ(FormatFivePlaces(1.234565), "1.23457");
  EXPECT_EQ(FormatFivePlaces(180), "180.00000");
  EXPECT_EQ(FormatFivePlaces(-179.999999), "-180.00000");
}

TEST(DisplayFormat, ValuesThatAreNotNumbersShowAQuestionMark) {
  EXPECT_EQ(FormatTwoPlaces(std::numeric_limits<double>::infinity()), "?");
  EXPECT_EQ(FormatFivePlaces(std::nan("")), "?");
}

}  // namespace
}  // namespace tarvik::transit
