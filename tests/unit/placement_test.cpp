#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "fake_platform.h"
#include "input.h"
#include "screen_units.h"
#include "placement.h"

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

TEST(StoredPlacement, ValuesBeyondWhatAWindowCanHaveFallBackToEachKeysDefault) {
  for (const char* huge : {"1e30", "-1e30", "3e9", "99999999999", "3.4e38", "491520", "-491520"}) {
    Program program;
    for (const char* key : {"MainLeft", "MainTop", "MainWidth", "MainHeight"}) program.settings[key] = huge;
    program.main.load();
    EXPECT_EQ(program.view.leftTwips, 1000.0f) << huge;
    EXPECT_EQ(program.view.topTwips, 1000.0f) << huge;
    EXPECT_EQ(program.view.widthTwips, 11205.0f) << huge;
    EXPECT_EQ(program.view.heightTwips, 5970.0f) << huge;
    EXPECT_TRUE(program.errors.reported.empty());
  }
}

TEST(StoredPlacement, TheLimitIsInPixelsAtTheDensityEachValueIsShownAt) {
  Program at96;  // 32767 px at 15 twips a pixel
  at96.settings["MainLeft"] = "-491505";
  at96.settings["MainWidth"] = "491505";
  at96.main.load();
  EXPECT_EQ(at96.view.leftTwips, -491505.0f);
  EXPECT_EQ(at96.view.widthTwips, 491505.0f);

  Program at192;  // 7.5 twips a pixel: the same twips are twice the pixels
  at192.view.systemDpi = 192;
  at192.view.windowDpi = 192;
  at192.settings["MainLeft"] = "245760";   // 32768 px
  at192.settings["MainTop"] = "245752";    // 32766.9 px
  at192.settings["MainHeight"] = "245760";
  at192.main.load();
  EXPECT_EQ(at192.view.leftTwips, 1000.0f);
  EXPECT_EQ(at192.view.topTwips, 245752.0f);
  EXPECT_EQ(at192.view.heightTwips, 5970.0f);

  Program mixed;  // positions at the system's density, sizes at the window's
  mixed.view.systemDpi = 96;
  mixed.view.windowDpi = 192;
  mixed.settings["MainLeft"] = "400000";
  mixed.settings["MainWidth"] = "400000";
  mixed.main.load();
  EXPECT_EQ(mixed.view.leftTwips, 400000.0f);
  EXPECT_EQ(mixed.view.widthTwips, 11205.0f);
}

TEST(StoredPlacement, APositionThatIsNoNumberIsNeverSavedAndAFractionIsRounded) {
  for (float broken : {std::numeric_limits<float>::infinity(), -std::numeric_limits<float>::infinity(),
                       std::numeric_limits<float>::quiet_NaN()}) {
    Program program;
    program.settings["MainLeft"] = "4500";
    program.main.load();
    program.view.leftTwips = broken;
    program.view.topTwips = -7507.5f;
    program.main.unload();
    EXPECT_EQ(program.settings["MainLeft"], "4500");  // the previous position stays
    EXPECT_EQ(program.settings["MainTop"], "-7508");
    EXPECT_EQ(program.main.exitCode(), 0);
  }
}

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

// A click is a press and a release on the same element.
TEST(Clicks, OnlyAPressAndAReleaseOnTheSameElementMakeAClick) {
  constexpr ClickTracker::Target message = 0x10, box = 0x20, background = ClickTracker::noElement;
  ClickTracker clicks;
  clicks.pressed(message);
  EXPECT_TRUE(clicks.released(message));
  EXPECT_FALSE(clicks.released(message));  // a second release is no second click

  // Dragged off onto the background, then pressed there and dragged back.
  clicks.pressed(message);
  EXPECT_FALSE(clicks.released(background));
  clicks.pressed(background);
  EXPECT_FALSE(clicks.released(message));

  clicks.pressed(message);
  EXPECT_FALSE(clicks.released(box));
  EXPECT_FALSE(clicks.released(message));

  // The mouse went to another window between press and release.
  clicks.pressed(box);
  clicks.forget();
  EXPECT_FALSE(clicks.released(box));
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
