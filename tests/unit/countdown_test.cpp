#include <gtest/gtest.h>

#include <cfenv>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>

#include "countdown.h"
#include "exit_code.h"
#include "time_value.h"
#include "fake_platform.h"

namespace kestrane::testing {
namespace {

double fromBits(std::uint64_t bits) {
  double value;
  std::memcpy(&value, &bits, sizeof value);
  return value;
}

std::uint64_t bitsOf(double value) {
  std::uint64_t bits;
  std::memcpy(&bits, &value, sizeof bits);
  return bits;
}

TEST(Countdown, ShowsDashesUntilTheFirstTickThenCountsDownOncePerSecond) {
  Program program;
  program.main.load();
  program.seconds(0.999);
  EXPECT_EQ(program.box(), "--\r\n");
  for (int shown = 30; shown >= 1; --shown) {
    program.seconds(1);
    char expected[3] = {static_cast<char>('0' + shown / 10), static_cast<char>('0' + shown % 10), 0};
    ASSERT_EQ(program.box(), expected) << "at " << program.clock.now() << " ms";
  }
  EXPECT_TRUE(program.desktop.launches.empty());
  EXPECT_TRUE(program.main.isLoaded());
}

TEST(Countdown, AtZeroLaunchesTheBatchFileElevatedThenClosesAndSavesThePosition) {
  Program program;
  program.main.load();
  program.view.leftTwips = 2250;
  program.seconds(30.999);
  EXPECT_TRUE(program.desktop.launches.empty());
  program.seconds(0.001);

  ASSERT_EQ(program.desktop.launches.size(), 1u);
  const auto& launch = program.desktop.launches[0];
  EXPECT_EQ(launch.at, 31000);
  EXPECT_EQ(launch.owner, program.view.windowHandle);
  EXPECT_EQ(launch.operation, "runas");
  EXPECT_EQ(launch.file, "KESTRANE.BAT");
  EXPECT_EQ(launch.parameters, "");
  EXPECT_EQ(launch.directory, "");
  EXPECT_EQ(launch.show, 1);
  EXPECT_EQ(program.box(), "00");
  EXPECT_FALSE(program.main.timer("KESTRANE_MAIN_COUNTDOWN_TIMER").enabled());
  EXPECT_EQ(program.view.closedWith, 0);
  EXPECT_EQ(program.settings["MainLeft"], "2250");
  EXPECT_TRUE(program.errors.reported.empty());

  program.seconds(60);  // the window is gone: nothing more happens
  EXPECT_EQ(program.desktop.launches.size(), 1u);
}

TEST(Countdown, EveryStoredValueSitsJustAboveItsWholeSecond) {
  Program program;
  program.main.load();
  for (int tick = 1; tick <= 31; ++tick) {
    program.seconds(1);
    // Extended precision keeps the excess, which is far below a double's
    // resolution at 30 seconds.
    long double secondsLeft = static_cast<long double>(program.main.RemainingTime) * 86400.0L;
    long double above = secondsLeft - (31 - tick);
    EXPECT_GT(above, 1.0e-15L) << "tick " << tick;
    EXPECT_LT(above, 1.4e-14L) << "tick " << tick;
  }
  EXPECT_GT(program.main.RemainingTime, 0.0);
}

TEST(Countdown, TypedTextPlaysNoPartOnlyTheTextReadBackCounts) {
  Program program;
  program.main.load();
  // The user types "00" between ticks: the tick overwrites it before reading.
  program.main.textBox("KESTRANE_COUNTDOWN_TEXTBOX").setText("00");
  program.seconds(1);
  EXPECT_EQ(program.box(), "30");
  EXPECT_TRUE(program.desktop.launches.empty());

  // Whatever the box reads back decides; only exactly "00" expires.
  program.view.typedText = "00\r\n";
  program.seconds(1);
  EXPECT_TRUE(program.desktop.launches.empty());
  program.view.typedText = "00";
  program.seconds(1);
  EXPECT_EQ(program.desktop.launches.size(), 1u);
}

TEST(Countdown, CountsTicksNotClockTime) {
  Program program;
  program.main.load();
  program.seconds(5);
  program.main.timer("KESTRANE_MAIN_COUNTDOWN_TIMER").setEnabled(false);
  program.seconds(3600);
  program.main.timer("KESTRANE_MAIN_COUNTDOWN_TIMER").setEnabled(true);
  program.seconds(1);
  EXPECT_EQ(program.box(), "25");
}

TEST(Countdown, AFloatingPointFaultEndsTheTickBeforeAnythingIsStored) {
  Program program;
  program.main.load();
  program.seconds(3);
  // A signalling NaN: taking a second off it raises the invalid-operation
  // flag and gives a quiet NaN, whose bits differ, so storing the result
  // before the check would show.
  const std::uint64_t signalling = 0x7ff4000000000123;
  program.main.RemainingTime = fromBits(signalling);
  program.seconds(1);
  EXPECT_EQ(bitsOf(program.main.RemainingTime), signalling);
  EXPECT_EQ(program.box(), "28");
  ASSERT_EQ(program.errors.reported.size(), 1u);
  EXPECT_EQ(program.errors.reported[0].first, 5);  // invalid procedure call
  EXPECT_EQ(program.view.closedWith, 1);
  EXPECT_TRUE(program.desktop.launches.empty());
}

TEST(Countdown, FloatingPointFlagsLeftByEarlierWorkDoNotEndTheTick) {
  Program program;
  program.main.load();
  std::feraiseexcept(FE_INVALID | FE_DIVBYZERO | FE_OVERFLOW);
  program.seconds(1);
  EXPECT_EQ(program.box(), "30");
  EXPECT_TRUE(program.errors.reported.empty());
}

TEST(Countdown, AFailingTextAssignmentKeepsTheDecrementAndEndsTheProgram) {
  Program program;
  program.main.load();
  program.seconds(2);
  program.view.failWhenSetting("KESTRANE_COUNTDOWN_TEXTBOX", Property::Text);
  program.seconds(1);
  EXPECT_NEAR(program.main.RemainingTime * 86400.0, 28.0, 1e-9);
  EXPECT_EQ(program.box(), "29");
  EXPECT_EQ(program.errors.reported.size(), 1u);
  EXPECT_EQ(program.view.closedWith, 1);
}

TEST(UntakenLaunch, EndsTheProgramWithTheSystemsReasonNeverWithACodeOfSuccessOrOfARunTimeError) {
  EXPECT_EQ(exitCodeForUntakenLaunch(2), 2);        // no batch file in the start folder
  EXPECT_EQ(exitCodeForUntakenLaunch(1223), 1223);  // the elevation declined
  EXPECT_EQ(exitCodeForUntakenLaunch(1155), 1155);  // no program for the file
  EXPECT_EQ(exitCodeForUntakenLaunch(0), 31);
  EXPECT_EQ(exitCodeForUntakenLaunch(1), 31);
}

}  // namespace
}  // namespace kestrane::testing
