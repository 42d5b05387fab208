#include "platform/Twips.h"

#include <gtest/gtest.h>

namespace tarvik::platform {
namespace {

TEST(Twips, FifteenPerPixelOnlyAtNinetySixDpi) {
  EXPECT_EQ(TwipsToPixels(4275, 96), 285);
  EXPECT_EQ(TwipsToPixels(195, 96), 13);
  EXPECT_EQ(TwipsToPixels(4275, 144), 428);  // 427.5 rounds up
  EXPECT_EQ(TwipsToPixels(4740, 192), 632);
  EXPECT_FLOAT_EQ(PixelsToTwips(285, 96), 4275);
  EXPECT_FLOAT_EQ(PixelsToTwips(15, 144), 150);
}

}  // namespace
}  // namespace tarvik::platform
