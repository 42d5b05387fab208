#include "Geometry.h"

#include <cmath>

#include "platform/win32/Handles.h"

namespace tarvik::e2e {

namespace {

constexpr double kTwipsPerInch = 1440;

int ScreenDpi() {
  platform::win32::WindowDc screen(nullptr);
  return GetDeviceCaps(screen.get(), LOGPIXELSY);
}

}  // namespace

Geometry GeometryOf(HWND window) {
  Geometry geometry;
  GetWindowRect(window, &geometry.outer);
  GetClientRect(window, &geometry.client);
  auto dpi = static_cast<int>(GetDpiForWindow(window));
  geometry.dpi = dpi > 0 ? dpi : ScreenDpi();
  return geometry;
}

testing::AssertionResult IsTwips(int pixels, double twips, int dpi) {
  double expected_pixels = twips * dpi / kTwipsPerInch;
  if (std::abs(pixels - expected_pixels) < 1) return testing::AssertionSuccess();
  return testing::AssertionFailure()
         << pixels << " pixels (" << pixels * kTwipsPerInch / dpi << " twips at " << dpi
         << " DPI), expected " << twips << " twips (" << expected_pixels << " pixels)";
}

}  // namespace tarvik::e2e
