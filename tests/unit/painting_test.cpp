#include <gtest/gtest.h>

#include "fake_platform.h"
#include "painting.h"

namespace kestrane {
bool operator==(DrawnColours a, DrawnColours b) { return a.text == b.text && a.ground == b.ground; }
void PrintTo(DrawnColours c, std::ostream* out) { *out << c.text << " on " << c.ground; }
}  // namespace kestrane

namespace kestrane::testing {
namespace {

// A scheme whose colours are all different, so a mix-up shows.
const SystemColours scheme{0x00FFFFFF /* window text */, 0x00000000 /* window */,
                           0x00000001 /* highlight text */, 0x00FF8000 /* highlight */,
                           0x00FFFF00 /* button text */, 0x00202020 /* button face */,
                           0x00808080 /* gray text */};

TEST(Palette, WithoutHighContrastEveryElementKeepsItsDesignedColours) {
  EXPECT_EQ(textElementColours(255, 0, std::nullopt), (DrawnColours{255, 0}));
  EXPECT_EQ(textElementColours(0, 255, std::nullopt), (DrawnColours{0, 255}));
  EXPECT_EQ(textElementColours(0, 65280, std::nullopt), (DrawnColours{0, 65280}));
  EXPECT_EQ(buttonColours(65280, true, std::nullopt).ground, 65280u);
  EXPECT_EQ(buttonColours(0, false, std::nullopt).ground, 0u);
}

TEST(Palette, InHighContrastABlackGroundIsTheWindowAndAColouredGroundIsTheHighlight) {
  EXPECT_EQ(textElementColours(255, 0, scheme), (DrawnColours{0x00FFFFFF, 0x00000000}));    // box counting
  EXPECT_EQ(textElementColours(65280, 0, scheme), (DrawnColours{0x00FFFFFF, 0x00000000}));  // dark phase
  EXPECT_EQ(textElementColours(0, 0, scheme), (DrawnColours{0x00FFFFFF, 0x00000000}));      // just resumed
  EXPECT_EQ(textElementColours(0, 65280, scheme), (DrawnColours{0x00000001, 0x00FF8000}));  // green phase
  EXPECT_EQ(textElementColours(0, 255, scheme), (DrawnColours{0x00000001, 0x00FF8000}));    // paused
}

TEST(Palette, InHighContrastTheButtonIsASystemButtonDimmedWhilePaused) {
  EXPECT_EQ(buttonColours(65280, true, scheme), (DrawnColours{0x00FFFF00, 0x00202020}));
  EXPECT_EQ(buttonColours(0, false, scheme), (DrawnColours{0x00808080, 0x00202020}));
}

// The whole look of a running program, read through the mapping: the
// flasher still alternates and the pause still stands out.
TEST(Palette, InHighContrastTheFlashingAndThePauseStayVisible) {
  Program program;
  program.main.load();
  auto messageLook = [&] {
    const Label& message = program.main.label("KESTRANE_COUNTDOWN_MESSAGE");
    return textElementColours(message.foreColor(), message.backColor(), scheme);
  };
  program.clock.advance(1500);
  const DrawnColours first = messageLook();
  program.clock.advance(1000);
  const DrawnColours second = messageLook();
  EXPECT_FALSE(first == second);
  EXPECT_TRUE(first.ground == 0x00FF8000u || second.ground == 0x00FF8000u);

  program.main.raise("KESTRANE_ABORT_BUTTON", Event::Click);
  const TextBox& box = program.main.textBox("KESTRANE_COUNTDOWN_TEXTBOX");
  EXPECT_EQ(textElementColours(box.foreColor(), box.backColor(), scheme), (DrawnColours{0x00000001, 0x00FF8000}));
  EXPECT_EQ(messageLook(), (DrawnColours{0x00000001, 0x00FF8000}));
  const CommandButton& button = program.main.commandButton("KESTRANE_ABORT_BUTTON");
  EXPECT_EQ(buttonColours(button.backColor(), button.enabled(), scheme).text, 0x00808080u);
}

}  // namespace
}  // namespace kestrane::testing
