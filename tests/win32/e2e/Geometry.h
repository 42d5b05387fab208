#pragma once

#include <windows.h>

#include <gtest/gtest.h>

namespace tarvik::e2e {

// Where a window stands on the screen, in pixels, with the DPI that turns
// them into the twips the program works in.
struct Geometry {
  RECT outer{};
  RECT client{};  // origin 0, 0
  int dpi = 96;

  int Left() const { return outer.left; }
  int Top() const { return outer.top; }
  int OuterWidth() const { return outer.right - outer.left; }
  int OuterHeight() const { return outer.bottom - outer.top; }
  int ClientWidth() const { return client.right; }
  int ClientHeight() const { return client.bottom; }
};

Geometry GeometryOf(HWND window);

// Passes when `pixels` is a rounding of `twips` at `dpi`: less than one
// pixel apart, so a size that is a whole number of pixels must match exactly.
testing::AssertionResult IsTwips(int pixels, double twips, int dpi);

}  // namespace tarvik::e2e
