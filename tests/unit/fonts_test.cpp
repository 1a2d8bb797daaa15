#include <gtest/gtest.h>

#include "fonts.h"

namespace kestrane::testing {
namespace {

// The face the system picked, as it reports it. 0x21 is a swiss bitmap
// face; 0x27 the same family in TrueType outlines, 0x23 in OpenType's.
TEST(Fonts, TheDesignedFaceServesOnlyAsAnOutlineFontAtTheHeightAsked) {
  // A bitmap face stretched to three or four times its largest size is as
  // tall as asked, yet blocky.
  EXPECT_FALSE(designedFaceServes("MS Sans Serif", 96, {"MS Sans Serif", 96, 0x21}));
  EXPECT_FALSE(designedFaceServes("MS Sans Serif", 48, {"MS Sans Serif", 48, 0x21}));
  EXPECT_FALSE(designedFaceServes("MS Sans Serif", 16, {"MS Sans Serif", 16, 0x21}));

  EXPECT_TRUE(designedFaceServes("MS Sans Serif", 96, {"MS Sans Serif", 96, 0x27}));
  EXPECT_TRUE(designedFaceServes("MS Sans Serif", 96, {"MS Sans Serif", 95, 0x23}));
  EXPECT_TRUE(designedFaceServes("MS Sans Serif", 16, {"ms sans serif", 17, 0x27}));

  // Another face, or the right one at another height.
  EXPECT_FALSE(designedFaceServes("MS Sans Serif", 96, {"Arial", 96, 0x27}));
  EXPECT_FALSE(designedFaceServes("MS Sans Serif", 96, {"MS Sans Serif 2", 96, 0x27}));
  EXPECT_FALSE(designedFaceServes("MS Sans Serif", 96, {"MS Sans Serif", 94, 0x27}));
  EXPECT_FALSE(designedFaceServes("MS Sans Serif", 96, {"MS Sans Serif", 32, 0x27}));
}


}  // namespace
}  // namespace kestrane::testing
