#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "screen_units.h"

namespace kestrane::testing {
namespace {

// A position goes out as pixels and comes back as whole twips at the one
// density fixed for the session: every pixel survives the round trip.
TEST(PositionUnits, EveryPixelComesBackFromItsSavedWholeTwipsAtCommonDensities) {
  for (unsigned dpi : {96u, 120u, 144u, 192u}) {
    for (int pixel = -32767; pixel <= 32767; ++pixel) {
      const double saved = std::round(pixelsToTwips(pixel, dpi));
      ASSERT_EQ(twipsToPixels(saved, dpi), pixel) << pixel << " px at " << dpi << " dpi";
    }
  }
  EXPECT_EQ(pixelsToTwips(2400, 144), 24000.0f);
  EXPECT_EQ(pixelsToTwips(1001, 192), 7507.5f);  // saved as 7508, read back as 1001
  EXPECT_EQ(twipsToPixels(7508, 192), 1001);
  EXPECT_EQ(twipsToPixels(1000, 96), 67);
  EXPECT_EQ(twipsToPixels(1000, 0), 67);  // no density known: the design's 96
}

TEST(PositionUnits, HugeOrMissingNumbersStayWithinAWindowsRange) {
  EXPECT_EQ(twipsToPixels(std::numeric_limits<double>::quiet_NaN(), 96), 0);
  EXPECT_GT(twipsToPixels(1e30, 96), 32767);
  EXPECT_LT(twipsToPixels(-1e30, 96), -32767);
  EXPECT_TRUE(windowCanHave(32767));
  EXPECT_TRUE(windowCanHave(-32767));
  EXPECT_FALSE(windowCanHave(32767.5));
  EXPECT_FALSE(windowCanHave(std::numeric_limits<double>::infinity()));
  EXPECT_FALSE(windowCanHave(std::numeric_limits<double>::quiet_NaN()));
}

}  // namespace
}  // namespace kestrane::testing
