#include <gtest/gtest.h>

#include "input.h"

namespace kestrane::testing {
namespace {

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

}  // namespace
}  // namespace kestrane::testing
