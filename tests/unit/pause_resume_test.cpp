#include <gtest/gtest.h>

#include "fake_platform.h"

namespace kestrane::testing {
namespace {

// The colours as the platform numbers them (0x00BBGGRR).
constexpr Colour black = 0;
constexpr Colour red = 255;
constexpr Colour green = 65280;

// A started program with shorthand for what the user sees and does.
struct Running : ::testing::Test {
  Program program;
  Running() { program.main.load(); }

  KESTRANE_Main& main() { return program.main; }
  Label& message() { return main().label("KESTRANE_COUNTDOWN_MESSAGE"); }
  TextBox& box() { return main().textBox("KESTRANE_COUNTDOWN_TEXTBOX"); }
  TextBox& leftMark() { return main().textBox("KESTRANE_EX_POINT_TEXTBOX_LEFT"); }
  TextBox& rightMark() { return main().textBox("KESTRANE_EX_POINT_TEXTBOX_RIGHT"); }
  CommandButton& button() { return main().commandButton("KESTRANE_ABORT_BUTTON"); }
  bool enabled(const char* timer) { return main().timer(timer).enabled(); }

  void pause() { main().raise("KESTRANE_ABORT_BUTTON", Event::Click); }
  void click(const char* element) { main().raise(element, Event::Click); }
  // A double-click raises Click for its first press, then DblClick.
  void doubleClick(const char* element) {
    main().raise(element, Event::Click);
    main().raise(element, Event::DblClick);
  }

  // "fore/back" of the message and both marks, which the flasher paints alike.
  std::string flasherLook() {
    auto look = [](ColouredElement& e) { return std::to_string(e.foreColor()) + "/" + std::to_string(e.backColor()); };
    std::string m = look(message());
    EXPECT_EQ(look(leftMark()), m);
    EXPECT_EQ(look(rightMark()), m);
    return m;
  }
  static std::string lookOf(Colour fore, Colour back) { return std::to_string(fore) + "/" + std::to_string(back); }
  int flasherTimersEnabled() { return enabled("KESTRANE_EX_1_TIMER") + enabled("KESTRANE_EX_2_TIMER"); }
};

const std::string initialLook = Running::lookOf(green, black);
const std::string greenPhase = Running::lookOf(black, green);
const std::string darkPhase = Running::lookOf(green, black);

TEST_F(Running, TheFlasherAlternatesEverySecondWithExactlyOneTimerEnabled) {
  program.seconds(0.5);
  EXPECT_EQ(flasherLook(), initialLook);
  const std::string expected[] = {greenPhase, darkPhase, greenPhase, darkPhase, greenPhase};
  for (const std::string& phase : expected) {
    program.seconds(1);
    EXPECT_EQ(flasherLook(), phase) << "at " << program.clock.now() << " ms";
    EXPECT_EQ(flasherTimersEnabled(), 1);
  }
  // The flasher never touches a caption, the box or the button.
  EXPECT_EQ(message().caption(), "COUNTDOWN STARTED");
  EXPECT_EQ(box().backColor(), black);
  EXPECT_EQ(button().backColor(), green);
}

TEST_F(Running, APauseAtSevenFreezesEverythingButTheKeeperForAnyLength) {
  program.seconds(24.5);
  ASSERT_EQ(program.box(), "07");
  pause();

  EXPECT_FALSE(button().enabled());
  EXPECT_EQ(button().backColor(), black);
  EXPECT_EQ(box().foreColor(), black);
  EXPECT_EQ(box().backColor(), red);
  EXPECT_EQ(message().caption(), "COUNTDOWN PAUSED...");
  EXPECT_EQ(flasherLook(), lookOf(black, red));
  EXPECT_FALSE(enabled("KESTRANE_MAIN_COUNTDOWN_TIMER"));
  EXPECT_EQ(flasherTimersEnabled(), 0);

  program.seconds(3600);
  EXPECT_EQ(program.box(), "07");
  EXPECT_EQ(flasherLook(), lookOf(black, red));
  EXPECT_TRUE(program.desktop.launches.empty());
  EXPECT_TRUE(program.clock.isRunning(main().timer("AlwaysOnTopTimer")));
  EXPECT_NEAR(main().RemainingTime * 86400, 7.0, 1e-9);
}

// The countdown box and the message resume alike.
class ResumeOn : public Running, public ::testing::WithParamInterface<const char*> {
 protected:
  void pauseAtSeven() {
    program.seconds(24.5);
    ASSERT_EQ(program.box(), "07");
    pause();
  }
};

TEST_P(ResumeOn, AClickContinuesFromTheTimeLeftToTheLaunch) {
  pauseAtSeven();
  program.seconds(100);
  click(GetParam());

  EXPECT_EQ(program.box(), "07");
  EXPECT_EQ(box().foreColor(), red);
  EXPECT_EQ(box().backColor(), black);
  EXPECT_TRUE(button().enabled());
  EXPECT_EQ(button().backColor(), green);
  EXPECT_EQ(message().caption(), "COUNTDOWN RESUMING...");

  program.seconds(0.999);
  EXPECT_EQ(program.box(), "07");
  program.seconds(0.001);
  EXPECT_EQ(program.box(), "06");
  program.seconds(6);
  ASSERT_EQ(program.desktop.launches.size(), 1u);
  EXPECT_EQ(program.desktop.launches[0].at, 24500 + 100000 + 7000);
}

TEST_P(ResumeOn, ADoubleClickRestartsFromThirtyOneSeconds) {
  pauseAtSeven();
  doubleClick(GetParam());
  EXPECT_EQ(program.box(), "07");  // until the next tick
  program.seconds(1);
  EXPECT_EQ(program.box(), "30");
  program.seconds(29);
  EXPECT_EQ(program.box(), "01");
  EXPECT_TRUE(program.desktop.launches.empty());
}

INSTANTIATE_TEST_SUITE_P(BoxAndMessage, ResumeOn,
                         ::testing::Values("KESTRANE_COUNTDOWN_TEXTBOX", "KESTRANE_COUNTDOWN_MESSAGE"));

TEST_F(Running, AResumeWhileTheDarkPhaseIsPendingGivesTwoGreenPhasesInARow) {
  program.seconds(1);
  ASSERT_EQ(flasherLook(), greenPhase);  // the dark phase is next
  program.seconds(0.5);
  click("KESTRANE_COUNTDOWN_MESSAGE");
  EXPECT_EQ(message().backColor(), black);  // the resume gives the message a black ground
  EXPECT_TRUE(enabled("KESTRANE_EX_1_TIMER"));
  EXPECT_FALSE(enabled("KESTRANE_EX_2_TIMER"));

  program.seconds(0.999);
  EXPECT_EQ(message().foreColor(), black);  // no dark phase came: black text on black
  EXPECT_EQ(message().backColor(), black);
  program.seconds(0.001);
  EXPECT_EQ(flasherLook(), greenPhase);
  program.seconds(1);
  EXPECT_EQ(flasherLook(), darkPhase);
}

TEST_F(Running, AResumeAfterAPauseShowsThePausedMarksForOneIntervalThenFlashes) {
  program.seconds(3.2);
  pause();
  program.seconds(5);
  click("KESTRANE_COUNTDOWN_TEXTBOX");
  EXPECT_EQ(leftMark().backColor(), red);
  EXPECT_EQ(message().foreColor(), black);
  EXPECT_EQ(message().backColor(), black);
  program.seconds(0.999);
  EXPECT_EQ(leftMark().backColor(), red);
  program.seconds(0.001);
  EXPECT_EQ(flasherLook(), greenPhase);
  program.seconds(1);
  EXPECT_EQ(flasherLook(), darkPhase);
  EXPECT_EQ(flasherTimersEnabled(), 1);
}

TEST_F(Running, ResumeGesturesWhileCountingKeepOrResetTheTimeLeft) {
  program.seconds(11);
  ASSERT_EQ(program.box(), "20");
  click("KESTRANE_COUNTDOWN_TEXTBOX");
  EXPECT_EQ(program.box(), "20");
  EXPECT_EQ(message().caption(), "COUNTDOWN RESUMING...");
  program.seconds(1);
  EXPECT_EQ(program.box(), "19");

  // Restarting every twenty seconds keeps the countdown from ever expiring.
  for (int i = 0; i < 10; ++i) {
    doubleClick("KESTRANE_COUNTDOWN_MESSAGE");
    program.seconds(20);
  }
  EXPECT_EQ(program.box(), "11");
  EXPECT_TRUE(program.desktop.launches.empty());
}

TEST_F(Running, PausingBeforeTheFirstTickKeepsTheDashesAndTheFullTime) {
  program.seconds(0.4);
  pause();
  program.seconds(10);
  EXPECT_EQ(program.box(), "--\r\n");
  EXPECT_EQ(main().RemainingTime, 31.0 / 86400.0);
  click("KESTRANE_COUNTDOWN_MESSAGE");
  program.seconds(1);
  EXPECT_EQ(program.box(), "30");
}

// A failure at each step of the pause, the resumes and the flasher phases
// is tested in event_wiring_test.cpp.

}  // namespace
}  // namespace kestrane::testing
