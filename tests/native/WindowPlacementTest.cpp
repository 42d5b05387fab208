#include "app/WindowPlacement.h"

#include <gtest/gtest.h>

namespace tarvik::app {
namespace {

using platform::TwipsRect;

const std::vector<TwipsRect> kTwoMonitors = {{0, 0, 28800, 16200}, {28800, 0, 19200, 14400}};

TEST(KeepOnScreen, AWindowPartlyOnAMonitorStaysAsStored) {
  TwipsRect half_off{-2000, 500, 4740, 4935};
  TwipsRect on_second{40000, 100, 4740, 4935};
  TwipsRect bottom_edge{1000, 16000, 4740, 4935};
  for (const auto& window : {half_off, on_second, bottom_edge}) {
    TwipsRect placed = KeepOnScreen(window, kTwoMonitors);
    EXPECT_EQ(placed.left, window.left);
    EXPECT_EQ(placed.top, window.top);
  }
}

TEST(KeepOnScreen, AWindowOffEveryMonitorMovesOntoTheNearest) {
  // Right of the second monitor: slides back so its right edge touches 48000.
  TwipsRect placed = KeepOnScreen({60000, 2000, 4740, 4935}, kTwoMonitors);
  EXPECT_EQ(placed.left, 48000 - 4740);
  EXPECT_EQ(placed.top, 2000);
  EXPECT_EQ(placed.width, 4740);

  // Far above and left of the first monitor: to its top-left corner.
  placed = KeepOnScreen({-90000, -90000, 4740, 4935}, kTwoMonitors);
  EXPECT_EQ(placed.left, 0);
  EXPECT_EQ(placed.top, 0);

  // Below the second monitor, which is shorter than the first.
  placed = KeepOnScreen({30000, 15000, 4740, 4935}, kTwoMonitors);
  EXPECT_EQ(placed.left, 30000);
  EXPECT_EQ(placed.top, 14400 - 4935);
}

TEST(KeepOnScreen, AWindowLargerThanTheMonitorKeepsItsCaptionVisible) {
  TwipsRect placed = KeepOnScreen({-50000, 0, 40000, 30000}, {{0, 0, 28800, 16200}});
  EXPECT_EQ(placed.left, 0);
  EXPECT_EQ(placed.top, 0);
}

}  // namespace
}  // namespace tarvik::app
