#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "fake_platform.h"

namespace kestrane::testing {
namespace {

constexpr WindowHandle notTopmost = -2;
constexpr WindowHandle topmost = -1;
constexpr unsigned noSizeNoMove = 3;
constexpr WindowHandle other = 0x777;
constexpr WindowHandle another = 0x888;
constexpr WindowHandle ownMessageBox = 0x999;  // a box the program's own process shows

using Call = std::tuple<WindowHandle, WindowHandle, int, int, int, int, unsigned>;

std::vector<Call> placed(const RecordingDesktop& desktop) {
  std::vector<Call> out;
  for (const auto& p : desktop.placements) out.emplace_back(p.window, p.insertAfter, p.x, p.y, p.cx, p.cy, p.flags);
  return out;
}

// A loaded window whose keeper runs on the simulated clock. Only the
// keeper's own desktop calls are looked at.
struct AlwaysOnTop : ::testing::Test {
  Program program;
  const WindowHandle self = program.view.windowHandle;

  AlwaysOnTop() { program.main.load(); }

  std::vector<std::string> keeperCalls() const {
    std::vector<std::string> out;
    for (const auto& call : program.desktop.calls) {
      if (call == "GetForegroundWindow" || call == "SetWindowPos") out.push_back(call);
    }
    return out;
  }
  void forgetCalls() {
    program.desktop.calls.clear();
    program.desktop.placements.clear();
  }
};

const std::vector<std::string> lookOnly = {"GetForegroundWindow"};
const std::vector<std::string> demoteAndRaise = {"GetForegroundWindow", "GetForegroundWindow", "SetWindowPos",
                                                 "SetWindowPos"};

TEST_F(AlwaysOnTop, TicksOnceASecondFromLoad) {
  program.desktop.foreground = other;
  program.seconds(0.999);
  EXPECT_TRUE(keeperCalls().empty());
  program.seconds(0.001);
  EXPECT_EQ(keeperCalls(), demoteAndRaise);
  program.seconds(0.999);
  EXPECT_EQ(program.desktop.placements.size(), 2u);
  program.seconds(0.001);
  EXPECT_EQ(program.desktop.placements.size(), 4u);
  program.seconds(8);
  EXPECT_EQ(program.desktop.placements.size(), 20u);
}

TEST_F(AlwaysOnTop, WithItsOwnWindowInFrontLooksOnceAndMovesNothing) {
  program.desktop.foreground = self;
  program.seconds(5);
  EXPECT_EQ(keeperCalls(), std::vector<std::string>(5, "GetForegroundWindow"));
  EXPECT_TRUE(program.desktop.placements.empty());
}

TEST_F(AlwaysOnTop, DemotesTheForegroundWindowThenRaisesItsOwn) {
  program.desktop.foreground = other;
  program.seconds(1);
  EXPECT_EQ(keeperCalls(), demoteAndRaise);
  EXPECT_EQ(placed(program.desktop), (std::vector<Call>{{other, notTopmost, 0, 0, 0, 0, noSizeNoMove},
                                                        {self, topmost, 0, 0, 0, 0, noSizeNoMove}}));
}

TEST_F(AlwaysOnTop, RaisesItsOwnWindowEvenWhenNoWindowIsInFront) {
  program.desktop.foreground = 0;  // demoting handle 0 fails; the result is not looked at
  program.seconds(1);
  EXPECT_EQ(keeperCalls(), demoteAndRaise);
  EXPECT_EQ(placed(program.desktop), (std::vector<Call>{{0, notTopmost, 0, 0, 0, 0, noSizeNoMove},
                                                        {self, topmost, 0, 0, 0, 0, noSizeNoMove}}));
  EXPECT_TRUE(program.errors.reported.empty());
}

TEST_F(AlwaysOnTop, ActsOnWhatTheSecondLookAtTheForegroundFinds) {
  // Another window came forward between the two looks: it is the one demoted.
  program.desktop.foregroundSequence = {other, another};
  program.seconds(1);
  EXPECT_EQ(keeperCalls(), demoteAndRaise);
  EXPECT_EQ(placed(program.desktop), (std::vector<Call>{{another, notTopmost, 0, 0, 0, 0, noSizeNoMove},
                                                        {self, topmost, 0, 0, 0, 0, noSizeNoMove}}));

  // Its own window came forward in between: it is already in front and is
  // never taken out of the band.
  forgetCalls();
  program.desktop.foregroundSequence = {other, self};
  program.seconds(1);
  EXPECT_EQ(keeperCalls(), (std::vector<std::string>{"GetForegroundWindow", "GetForegroundWindow"}));
  EXPECT_TRUE(program.desktop.placements.empty());

  // Only the first look decides whether to act at all.
  forgetCalls();
  program.desktop.foregroundSequence = {self, other};
  program.seconds(1);
  EXPECT_EQ(keeperCalls(), lookOnly);
  EXPECT_TRUE(program.desktop.placements.empty());
}

TEST_F(AlwaysOnTop, EveryMoveKeepsPlaceAndSizeAndNeverPassesOverActivation) {
  const WindowHandle fronts[] = {other, self, 0, another, self, self, other};
  for (WindowHandle front : fronts) {
    program.desktop.foreground = front;
    program.seconds(1);
  }
  ASSERT_EQ(program.desktop.placements.size(), 8u);  // four ticks with another window in front
  for (std::size_t i = 0; i < program.desktop.placements.size(); ++i) {
    const auto& p = program.desktop.placements[i];
    EXPECT_EQ(std::tie(p.x, p.y, p.cx, p.cy, p.flags), std::make_tuple(0, 0, 0, 0, noSizeNoMove)) << "call " << i;
    EXPECT_EQ(p.insertAfter, i % 2 == 0 ? notTopmost : topmost) << "call " << i;
  }
}

TEST_F(AlwaysOnTop, KeepsGoingWhileTheCountdownIsPaused) {
  program.desktop.foreground = other;
  program.seconds(2.5);
  program.main.timer("KESTRANE_MAIN_COUNTDOWN_TIMER").setEnabled(false);
  forgetCalls();
  program.seconds(60);
  EXPECT_EQ(program.desktop.placements.size(), 120u);
  EXPECT_EQ(program.desktop.placements.back().window, self);
  EXPECT_EQ(program.box(), "29");
  EXPECT_TRUE(program.main.isLoaded());
  EXPECT_TRUE(program.desktop.launches.empty());
}

TEST_F(AlwaysOnTop, AFailedReadOfItsHandleEndsTheTickAndTheProgram) {
  // The first read fails: the foreground is never asked for.
  program.desktop.foreground = other;
  program.view.handleReadsBeforeFailure = program.view.handleReads;
  program.seconds(1);
  EXPECT_TRUE(keeperCalls().empty());
  ASSERT_EQ(program.errors.reported.size(), 1u);
  EXPECT_EQ(program.view.closedWith, 1);
}

TEST_F(AlwaysOnTop, AFailedSecondReadOfItsHandleLeavesTheDemotionDoneAndRaisesNothing) {
  program.desktop.foreground = other;
  program.view.handleReadsBeforeFailure = program.view.handleReads + 1;
  program.seconds(1);
  EXPECT_EQ(keeperCalls(), (std::vector<std::string>{"GetForegroundWindow", "GetForegroundWindow", "SetWindowPos"}));
  EXPECT_EQ(placed(program.desktop), (std::vector<Call>{{other, notTopmost, 0, 0, 0, 0, noSizeNoMove}}));
  ASSERT_EQ(program.errors.reported.size(), 1u);
  EXPECT_EQ(program.view.closedWith, 1);
  program.seconds(5);  // every timer stopped with the program
  EXPECT_EQ(program.desktop.placements.size(), 1u);
}

TEST(Keeper, NeverTakesAWindowOfItsOwnProgramOrTheTaskbarOutOfTheBand) {
  Program program;
  program.main.load();
  program.desktop.ownWindows.insert(ownMessageBox);
  program.desktop.foreground = ownMessageBox;
  program.seconds(1);
  EXPECT_TRUE(program.desktop.placements.empty());

  // Decided on the window in front at the second look.
  program.desktop.foregroundSequence = {other, ownMessageBox};
  program.seconds(1);
  EXPECT_TRUE(program.desktop.placements.empty());

  program.desktop.foreground = other;
  program.seconds(1);
  ASSERT_EQ(program.desktop.placements.size(), 2u);
  EXPECT_EQ(program.desktop.placements[0].window, other);
  EXPECT_EQ(program.desktop.placements[1].window, program.view.windowHandle);

  // The taskbar of either monitor stays in the band; the window is raised
  // all the same. A class of a like name is any other window.
  const WindowHandle self = program.view.windowHandle;
  program.desktop.classNames = {{other, "Shell_TrayWnd"}, {another, "Shell_SecondaryTrayWnd"},
                                {ownMessageBox + 1, "Shell_TrayWndX"}};
  for (WindowHandle front : {other, another, ownMessageBox + 1}) {
    program.desktop.placements.clear();
    program.desktop.foreground = front;
    program.seconds(1);
    const std::vector<Call> raiseOnly{{self, topmost, 0, 0, 0, 0, noSizeNoMove}};
    const std::vector<Call> demoteAndRaiseIt{{front, notTopmost, 0, 0, 0, 0, noSizeNoMove},
                                             {self, topmost, 0, 0, 0, 0, noSizeNoMove}};
    EXPECT_EQ(placed(program.desktop), front == ownMessageBox + 1 ? demoteAndRaiseIt : raiseOnly) << front;
  }
}

}  // namespace
}  // namespace kestrane::testing
