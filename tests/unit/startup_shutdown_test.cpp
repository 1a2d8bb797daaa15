#include <gtest/gtest.h>

#include <limits>

#include "countdown.h"
#include "fake_platform.h"

namespace kestrane::testing {
namespace {

TEST(StartUp, FirstStartUsesTheDefaultPlacementAndLeavesTheStoreEmpty) {
  Program program;
  ASSERT_TRUE(program.main.load());
  EXPECT_EQ(program.view.placed, (std::vector<std::string>{"Left", "Top", "Width", "Height"}));
  EXPECT_EQ(program.view.leftTwips, 1000.0f);
  EXPECT_EQ(program.view.topTwips, 1000.0f);
  EXPECT_EQ(program.view.widthTwips, 11205.0f);
  EXPECT_EQ(program.view.heightTwips, 5970.0f);
  EXPECT_TRUE(program.settings.values.empty());
}

TEST(StartUp, LeavesTheTimersAndTheCountdownInTheirStartingState) {
  Program program;
  program.main.load();
  KESTRANE_Main& main = program.main;
  for (const char* running : {"AlwaysOnTopTimer", "KESTRANE_MAIN_COUNTDOWN_TIMER", "KESTRANE_EX_1_TIMER"}) {
    EXPECT_TRUE(main.timer(running).enabled()) << running;
    EXPECT_EQ(main.timer(running).interval(), 1000) << running;
    EXPECT_TRUE(program.clock.isRunning(main.timer(running))) << running;
  }
  EXPECT_FALSE(main.timer("KESTRANE_EX_2_TIMER").enabled());
  EXPECT_EQ(main.timer("KESTRANE_EX_2_TIMER").interval(), 1000);
  EXPECT_FALSE(program.clock.isRunning(main.timer("KESTRANE_EX_2_TIMER")));
  EXPECT_EQ(main.RemainingTime, 31.0 / 86400.0);
}

TEST(StartUp, AppliesStoredPlacementAsStoredEvenOffTheScreen) {
  Program program;
  program.settings["MainLeft"] = "-99999";
  program.settings["MainTop"] = "88888";
  program.settings["MainWidth"] = "9000";
  program.settings["MainHeight"] = "4500.5";
  program.main.load();
  EXPECT_EQ(program.view.leftTwips, -99999.0f);
  EXPECT_EQ(program.view.topTwips, 88888.0f);
  EXPECT_EQ(program.view.widthTwips, 9000.0f);
  EXPECT_EQ(program.view.heightTwips, 4500.5f);
}

TEST(StartUp, AnUnusableStoredValueFallsBackToThatKeysDefaultAndStartUpGoesOn) {
  Program program(NumberFormat{","});
  program.settings["MainLeft"] = "abc";
  program.settings["MainTop"] = "";
  program.settings["MainWidth"] = "1e39";
  program.settings["MainHeight"] = "12x";
  program.main.load();
  EXPECT_EQ(program.view.leftTwips, 1000.0f);
  EXPECT_EQ(program.view.topTwips, 1000.0f);
  EXPECT_EQ(program.view.widthTwips, 11205.0f);
  EXPECT_EQ(program.view.heightTwips, 5970.0f);
  EXPECT_TRUE(program.errors.reported.empty());
  program.seconds(1);
  EXPECT_EQ(program.box(), "30");
  // The bad entries stay until the next save overwrites the position.
  EXPECT_EQ(program.settings["MainHeight"], "12x");
}

TEST(StartUp, ASizeThatIsNotPositiveUsesTheDefaultSize) {
  Program program;
  program.settings["MainWidth"] = "0";
  program.settings["MainHeight"] = "-300";
  program.settings["MainLeft"] = "-300";
  program.main.load();
  EXPECT_EQ(program.view.widthTwips, 11205.0f);
  EXPECT_EQ(program.view.heightTwips, 5970.0f);
  EXPECT_EQ(program.view.leftTwips, -300.0f);  // a negative position is fine
}

TEST(StartUp, BeforeLoadNoTimerRunsAndNoEventReachesAHandler) {
  Program program;
  for (const char* name : {"KESTRANE_MAIN_COUNTDOWN_TIMER", "KESTRANE_EX_1_TIMER", "KESTRANE_EX_2_TIMER",
                           "AlwaysOnTopTimer"}) {
    EXPECT_FALSE(program.clock.isRunning(program.main.timer(name))) << name;
    // A stray timer message the platform still delivers changes nothing.
    program.main.raise(name, Event::Timer);
  }
  program.main.raise("KESTRANE_ABORT_BUTTON", Event::Click);
  program.main.raise("KESTRANE_COUNTDOWN_MESSAGE", Event::DblClick);
  program.seconds(5);
  EXPECT_TRUE(program.log.steps.empty()) << program.log.steps.front();
  EXPECT_EQ(program.box(), "--\r\n");
  EXPECT_TRUE(program.desktop.calls.empty());
  EXPECT_EQ(program.main.RemainingTime, 0.0);
}

TEST(Shutdown, SavesThePositionAsDecimalTextAndNeverTheSize) {
  Program program;
  program.main.load();
  program.view.leftTwips = 1500;
  program.view.topTwips = -120;
  program.main.unload();
  EXPECT_EQ(program.settings["MainLeft"], "1500");
  EXPECT_EQ(program.settings["MainTop"], "-120");
  EXPECT_FALSE(program.settings.has("MainWidth"));
  EXPECT_FALSE(program.settings.has("MainHeight"));
  EXPECT_EQ(program.view.closedWith, 0);
  EXPECT_TRUE(program.desktop.launches.empty());  // closing launches nothing
}

TEST(Shutdown, AMinimisedWindowSavesNothingAndAMaximisedOneSavesItsPosition) {
  Program minimised;
  minimised.settings["MainLeft"] = "30";
  minimised.main.load();
  minimised.view.windowState = WindowState::Minimised;
  minimised.view.leftTwips = -48000;
  minimised.main.unload();
  EXPECT_EQ(minimised.settings["MainLeft"], "30");
  EXPECT_FALSE(minimised.settings.has("MainTop"));
  EXPECT_EQ(minimised.view.closedWith, 0);

  Program maximised;
  maximised.main.load();
  maximised.view.windowState = WindowState::Maximised;
  maximised.view.leftTwips = -120;
  maximised.view.topTwips = -120;
  maximised.main.unload();
  EXPECT_EQ(maximised.settings["MainLeft"], "-120");
  EXPECT_EQ(maximised.settings["MainTop"], "-120");
}

TEST(Shutdown, AFractionOfATwipIsSavedAsTheNearestWholeTwipAndReadBackNextStart) {
  Program first(NumberFormat{","});
  first.main.load();
  first.view.leftTwips = 1507.5f;
  first.main.unload();
  EXPECT_EQ(first.settings["MainLeft"], "1508");

  Program second(NumberFormat{","});
  second.settings.values = first.settings.values;
  second.main.load();
  EXPECT_EQ(second.view.leftTwips, 1508.0f);
}

TEST(Shutdown, AStoreThatRefusesTheLeftSavesNoTopAndTheProgramStillEnds) {
  Program program;
  program.main.load();
  program.settings.refuseSaves = true;
  program.main.unload();
  EXPECT_TRUE(program.settings.values.empty());
  EXPECT_EQ(program.errors.reported.size(), 1u);
  EXPECT_EQ(program.view.closedWith, 1);
  EXPECT_FALSE(program.main.isLoaded());
}

// Windows may end the process as soon as the session's end has been
// answered: the position is kept by then, even while the launch waits on
// the elevation prompt and whatever it does after.
TEST(Shutdown, ALogOffDuringTheLaunchKeepsThePositionBeforeItAnswers) {
  Program program;
  program.main.load();
  program.view.leftTwips = 1500;
  program.view.topTwips = -120;
  program.desktop.whileLaunching = [&] {
    program.main.endSession();
    EXPECT_EQ(program.settings["MainLeft"], "1500");
    EXPECT_EQ(program.settings["MainTop"], "-120");
    EXPECT_EQ(program.view.closedWith, std::nullopt);  // the launch is still running
    program.view.leftTwips = 3000;
  };
  program.seconds(31);
  ASSERT_EQ(program.desktop.launches.size(), 1u);
  // Allowed to go on, it unloads as after any close.
  EXPECT_EQ(program.settings["MainLeft"], "3000");
  EXPECT_EQ(program.view.closedWith, 0);

  Program minimised;
  minimised.main.load();
  minimised.view.windowState = WindowState::Minimised;
  minimised.desktop.whileLaunching = [&] { minimised.main.endSession(); };
  minimised.seconds(31);
  EXPECT_TRUE(minimised.settings.values.empty());
}

// A box would hold up the log-off, and nobody is left to read it.
TEST(Shutdown, AStoreThatRefusesDuringALogOffShowsNoReportAndTheProgramStillEnds) {
  Program idle;
  idle.main.load();
  idle.settings.refuseSaves = true;
  idle.main.endSession();
  EXPECT_TRUE(idle.errors.reported.empty());
  EXPECT_EQ(idle.view.closedWith, 1);

  Program launching;
  launching.main.load();
  launching.settings.refuseSaves = true;
  launching.desktop.whileLaunching = [&] { launching.main.endSession(); };
  launching.seconds(31);
  EXPECT_TRUE(launching.errors.reported.empty());
  EXPECT_EQ(launching.view.closedWith, 1);
  EXPECT_FALSE(launching.main.isLoaded());
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

}  // namespace
}  // namespace kestrane::testing
