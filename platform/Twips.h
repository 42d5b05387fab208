#pragma once

namespace tarvik::platform {

// Window and control geometry is kept in twips (1/1440 inch), single
// precision, the way the program's settings store it.
using Twips = float;

inline constexpr int kTwipsPerInch = 1440;

// Rounds to the nearest pixel at the given dots per inch; 15 twips per
// pixel holds only at 96 DPI.
int TwipsToPixels(Twips twips, int dpi);
Twips PixelsToTwips(int pixels, int dpi);

struct TwipsRect {
  Twips left = 0;
  Twips top = 0;
  Twips width = 0;
  Twips height = 0;

  Twips Right() const { return left + width; }
  Twips Bottom() const { return top + height; }
};

}  // namespace tarvik::platform
