#include <gtest/gtest.h>

#include <vector>

#include "placement.h"

namespace kestrane::testing {
namespace {

// Monitors and windows as data, in pixels. The window is 747 by 398 with
// Windows 10's invisible 7 px resize borders at its left, right and bottom.
constexpr int invisible = 7;
WindowOnScreen windowWithVisibleFrameAt(int x, int y, int width = 747, int height = 398) {
  WindowOnScreen window;
  window.visible = {x, y, x + width, y + height};
  window.frame = {x - invisible, y, x + width + invisible, y + height + invisible};
  window.captionBottom = y + 31;
  return window;
}

const ScreenRect primary{0, 0, 1920, 1040};        // taskbar below
const ScreenRect leftOfPrimary{-2560, -200, 0, 1240};

TEST(UsablePlacement, AWindowWithItsCaptionGraspableOnAMonitorStaysExactlyWhereItIs) {
  const std::vector<ScreenRect> monitors{primary, leftOfPrimary};
  EXPECT_EQ(placeToKeepUsable(windowWithVisibleFrameAt(100, 100), monitors), std::nullopt);
  EXPECT_EQ(placeToKeepUsable(windowWithVisibleFrameAt(-2000, -150), monitors), std::nullopt);
  // Across the two monitors, with the caption on both.
  EXPECT_EQ(placeToKeepUsable(windowWithVisibleFrameAt(-300, 500), monitors), std::nullopt);
  // 100 px of the caption left on the right edge, or on the bottom edge
  // with the caption's full height above the taskbar.
  EXPECT_EQ(placeToKeepUsable(windowWithVisibleFrameAt(1820, 100), {primary}), std::nullopt);
  EXPECT_EQ(placeToKeepUsable(windowWithVisibleFrameAt(-647, 100), {primary}), std::nullopt);
  EXPECT_EQ(placeToKeepUsable(windowWithVisibleFrameAt(100, 1040 - 31), {primary}), std::nullopt);
}

TEST(UsablePlacement, TooLittleOfTheCaptionOnAnyMonitorMovesTheWholeWindowOntoTheNearest) {
  // 99 px of the caption is one short.
  EXPECT_EQ(placeToKeepUsable(windowWithVisibleFrameAt(1821, 100), {primary}),
            (ScreenPoint{1920 - 747 - invisible, 100}));
  // Only the invisible border overlaps: the window is lost.
  EXPECT_EQ(placeToKeepUsable(windowWithVisibleFrameAt(1920, 300), {primary}),
            (ScreenPoint{1920 - 747 - invisible, 300}));
  // The caption above the top edge cannot be dragged, nor one cut by the taskbar.
  EXPECT_EQ(placeToKeepUsable(windowWithVisibleFrameAt(200, -30), {primary}), (ScreenPoint{200 - invisible, 0}));
  EXPECT_EQ(placeToKeepUsable(windowWithVisibleFrameAt(200, 1040 - 30), {primary}),
            (ScreenPoint{200 - invisible, 1040 - 398}));
  // Far off to the left: onto the monitor on that side, not the primary.
  EXPECT_EQ(placeToKeepUsable(windowWithVisibleFrameAt(-9000, 400), {primary, leftOfPrimary}),
            (ScreenPoint{-2560 - invisible, 400}));
}

TEST(UsablePlacement, ANarrowWindowNeedsAQuarterOfItsWidthAndAHugeOneItsTopLeftCornerShown) {
  const std::vector<ScreenRect> monitors{primary};
  EXPECT_EQ(captionWidthNeeded(747), 100);
  EXPECT_EQ(captionWidthNeeded(200), 50);
  EXPECT_EQ(placeToKeepUsable(windowWithVisibleFrameAt(1870, 10, 200, 100), monitors), std::nullopt);
  EXPECT_EQ(placeToKeepUsable(windowWithVisibleFrameAt(1871, 10, 200, 100), monitors),
            (ScreenPoint{1720 - invisible, 10}));
  EXPECT_EQ(placeToKeepUsable(windowWithVisibleFrameAt(-5000, -5000, 3000, 2000), monitors),
            (ScreenPoint{0 - invisible, 0}));
  EXPECT_EQ(placeToKeepUsable(windowWithVisibleFrameAt(-5000, -5000), {}), std::nullopt);
}

// A stored height of a few twips plans a frame shorter than its caption
// bar; the system then shows the window at its least height, caption and
// all, from the planned top.
TEST(UsablePlacement, AFrameShorterThanItsCaptionBarIsMovedUpByTheWholeCaptionBar) {
  EXPECT_EQ(placeToKeepUsable(windowWithVisibleFrameAt(51, 1617, 164, 2), {primary}),
            (ScreenPoint{51 - invisible, 1040 - 31}));
  EXPECT_EQ(placeToKeepUsable(windowWithVisibleFrameAt(51, 1030, 164, 2), {primary}),
            (ScreenPoint{51 - invisible, 1040 - 31}));
  EXPECT_EQ(placeToKeepUsable(windowWithVisibleFrameAt(51, 1040 - 31, 164, 2), {primary}), std::nullopt);
}

TEST(UsablePlacement, AFrameWhollyInAWorkAreaIsUsableWhicheverPartOfItIsDrawn) {
  const std::vector<ScreenRect> monitors{primary, leftOfPrimary};
  const ScreenRect inside{100, 100, 847, 498};
  EXPECT_TRUE(liesWhollyInAWorkArea(inside, monitors));
  EXPECT_TRUE(liesWhollyInAWorkArea({0, 0, 1920, 1040}, monitors));          // edge to edge
  EXPECT_TRUE(liesWhollyInAWorkArea({-2560, -200, -1813, 198}, monitors));   // the other monitor
  EXPECT_FALSE(liesWhollyInAWorkArea({-1, 100, 746, 498}, monitors));        // across the two
  EXPECT_FALSE(liesWhollyInAWorkArea({100, 643, 847, 1041}, monitors));      // one pixel on the taskbar
  EXPECT_FALSE(liesWhollyInAWorkArea(inside, {}));
  // Whatever part of such a frame is drawn, its caption is graspable: the
  // shortcut never keeps a window that the full rule would move.
  for (const ScreenRect& visible : {inside, ScreenRect{107, 100, 840, 491}, ScreenRect{400, 300, 500, 340}}) {
    WindowOnScreen window;
    window.frame = inside;
    window.visible = visible;
    window.captionBottom = visible.top + 31;
    EXPECT_EQ(placeToKeepUsable(window, monitors), std::nullopt);
  }
}

// A hidden window moved onto a monitor of another density may be told
// nothing of it; the window's own report after the move decides.
TEST(DensityAfterTheFirstMove, LaysOutAgainAtTheDensityTheWindowReportsWhenItDiffers) {
  EXPECT_EQ(densityToLayOutAgain(96, 144), std::optional<unsigned>(144));
  EXPECT_EQ(densityToLayOutAgain(192, 96), std::optional<unsigned>(96));
  EXPECT_EQ(densityToLayOutAgain(144, 144), std::nullopt);  // already laid out there, or told in time
  EXPECT_EQ(densityToLayOutAgain(120, 0), std::nullopt);    // the system cannot say: keep the layout
}

}  // namespace
}  // namespace kestrane::testing
