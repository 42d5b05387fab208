#pragma once

#include <windows.h>

#include <optional>
#include <vector>

#include "PngWriter.h"

namespace tarvik::e2e {

struct Rgb {
  std::uint8_t red = 0;
  std::uint8_t green = 0;
  std::uint8_t blue = 0;
  bool operator==(const Rgb&) const = default;
};

Rgb PixelAt(const RgbImage& image, int x, int y);

// Asks the window (and its controls) to repaint, waits until it has, and
// copies its rectangle, frame included, from the screen.
std::optional<RgbImage> CaptureWindow(HWND window);
// The smallest rectangle of the screen that holds all the windows, each
// repainted first; what lies between them comes along.
std::optional<RgbImage> CaptureWindows(const std::vector<HWND>& windows);

}  // namespace tarvik::e2e
