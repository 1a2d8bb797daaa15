#include <gtest/gtest.h>

#include "fake_platform.h"

namespace kestrane::testing {
namespace {

// The colours as the platform numbers them (0x00BBGGRR).
constexpr Colour black = 0;
constexpr Colour red = 255;
constexpr Colour green = 65280;

TEST(WindowModel, HoldsSeventeenElementsWithTheirInitialLook) {
  Program program;
  KESTRANE_Main& main = program.main;
  EXPECT_EQ(main.elements().size(), 17u);

  struct Expected { const char* name; const char* text; Colour back, fore; };
  const Expected coloured[] = {
      {"KESTRANE_TITLE", "KESTRANE", black, green},
      {"KESTRANE_VERSION", "Version 1.0", black, green},
      {"KESTRANE_CREATOR", "Created By Orwyn402", black, green},
      {"KESTRANE_FREEWARE", "!!! FREEWARE !!!", black, green},
      {"KESTRANE_COUNTDOWN_MESSAGE", "COUNTDOWN STARTED", black, green},
      {"KESTRANE_EX_POINT_TEXTBOX_LEFT", "!", black, green},
      {"KESTRANE_COUNTDOWN_TEXTBOX", "--\r\n", black, red},
      {"KESTRANE_EX_POINT_TEXTBOX_RIGHT", "!", black, green},
  };
  for (const auto& e : coloured) {
    auto& element = static_cast<ColouredElement&>(main.element(e.name));
    EXPECT_EQ(element.assignedText(), e.text) << e.name;
    EXPECT_EQ(element.backColor(), e.back) << e.name;
    EXPECT_EQ(element.foreColor(), e.fore) << e.name;
  }
  EXPECT_EQ(main.label("KESTRANE_COUNTDOWN_MESSAGE").kind(), ElementKind::Label);
  EXPECT_EQ(main.textBox("KESTRANE_COUNTDOWN_TEXTBOX").text().size(), 4u);

  CommandButton& button = main.commandButton("KESTRANE_ABORT_BUTTON");
  EXPECT_TRUE(button.enabled());
  EXPECT_EQ(button.backColor(), green);

  for (const char* name : {"KESTRANE_MAIN_COUNTDOWN_TIMER", "KESTRANE_EX_1_TIMER", "KESTRANE_EX_2_TIMER",
                           "AlwaysOnTopTimer"}) {
    EXPECT_TRUE(main.timer(name).enabled()) << name;
    EXPECT_EQ(main.timer(name).interval(), 0) << name;
  }
  EXPECT_EQ(main.element("sbStatusBar").kind(), ElementKind::StatusBar);
  for (const char* name : {"Line1", "Line2", "Line3"}) EXPECT_EQ(main.element(name).kind(), ElementKind::Line);
}

TEST(WindowModel, AFailedAssignmentLeavesTheOldValue) {
  Program program;
  program.view.failWhenSetting("KESTRANE_COUNTDOWN_MESSAGE", Property::Caption);
  Label& message = program.main.label("KESTRANE_COUNTDOWN_MESSAGE");
  EXPECT_THROW(message.setCaption("COUNTDOWN PAUSED..."), RuntimeError);
  EXPECT_EQ(message.caption(), "COUNTDOWN STARTED");
  message.setBackColor(red);  // other properties still work
  EXPECT_EQ(message.backColor(), red);
}

// Timers on the simulated clock, with a counting handler on one of them.
struct TimerFixture : ::testing::Test {
  Program program;
  TimerElement& timer = program.main.timer("KESTRANE_EX_2_TIMER");
  std::vector<long long> firedAt;
  TimerFixture() {
    program.main.on("KESTRANE_EX_2_TIMER", Event::Timer,
                    [this](KESTRANE_Main&) { firedAt.push_back(program.clock.now()); });
    program.main.load();
    program.main.timer("KESTRANE_EX_2_TIMER").setEnabled(false);  // Load left it so anyway
    firedAt.clear();
  }
};

TEST_F(TimerFixture, IntervalZeroRaisesNothingWhateverEnabledSays) {
  timer.setInterval(0);
  timer.setEnabled(true);
  program.seconds(10);
  EXPECT_TRUE(firedAt.empty());
}

TEST_F(TimerFixture, EnablingAStoppedTimerFiresOneIntervalLaterThenEveryInterval) {
  program.seconds(0.3);
  timer.setEnabled(true);
  program.seconds(3.5);
  EXPECT_EQ(firedAt, (std::vector<long long>{1300, 2300, 3300}));
}

TEST_F(TimerFixture, EnablingARunningTimerDoesNotPutItsNextEventOff) {
  timer.setEnabled(true);
  program.seconds(0.7);
  timer.setEnabled(true);
  program.seconds(0.5);
  EXPECT_EQ(firedAt, (std::vector<long long>{1000}));
}

TEST_F(TimerFixture, DisablingStopsFurtherEventsAndAChangedIntervalStartsAfresh) {
  timer.setEnabled(true);
  program.seconds(1.5);
  timer.setInterval(400);
  program.seconds(1.0);
  timer.setEnabled(false);
  program.seconds(5);
  EXPECT_EQ(firedAt, (std::vector<long long>{1000, 1900, 2300}));
  EXPECT_THROW(timer.setInterval(-1), RuntimeError);
}

}  // namespace
}  // namespace kestrane::testing
