#include "platform/Twips.h"

#include <cmath>

namespace tarvik::platform {

int TwipsToPixels(Twips twips, int dpi) {
  return static_cast<int>(std::lround(static_cast<double>(twips) * dpi / kTwipsPerInch));
}

Twips PixelsToTwips(int pixels, int dpi) {
  return static_cast<Twips>(static_cast<double>(pixels) * kTwipsPerInch / dpi);
}

}  // namespace tarvik::platform
