#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "fake_platform.h"

namespace kestrane::testing {
namespace {

using namespace colours;

constexpr WindowHandle otherProgram = 0x777;

std::vector<std::string> callsDuringTheLaunch(const RecordingDesktop& desktop) {
  auto from = std::find(desktop.calls.begin(), desktop.calls.end(), "ShellExecuteA");
  auto to = std::find(desktop.calls.begin(), desktop.calls.end(), "ShellExecuteA returned");
  if (from == desktop.calls.end() || to == desktop.calls.end()) return {"no launch"};
  return {from + 1, to};
}

// The shell lets messages through while it shows its prompt at "00": every
// timer beats and the user clicks and double-clicks. None of it may run
// inside the tick, and once the tick has unloaded the window none of it runs.
TEST(OneHandlerAtATime, NothingRunsInsideTheLaunchAndNothingAfterTheUnload) {
  Program program;
  program.main.load();
  program.desktop.foreground = otherProgram;  // the keeper would act if it ran
  std::size_t changesWhenTheShellWasCalled = 0, changesWhenTheShellReturned = 0;
  program.desktop.whileLaunching = [&] {
    changesWhenTheShellWasCalled = program.view.changes.size();
    KESTRANE_Main& main = program.main;
    for (const char* timer : {"AlwaysOnTopTimer", "KESTRANE_EX_1_TIMER", "KESTRANE_EX_2_TIMER",
                              "KESTRANE_MAIN_COUNTDOWN_TIMER"}) {
      main.raise(timer, Event::Timer);
    }
    main.raise("KESTRANE_COUNTDOWN_TEXTBOX", Event::Click);
    main.raise("KESTRANE_COUNTDOWN_MESSAGE", Event::Click);
    main.raise("KESTRANE_COUNTDOWN_MESSAGE", Event::DblClick);
    main.requestUnload();
    changesWhenTheShellReturned = program.view.changes.size();
  };
  program.seconds(31);

  ASSERT_EQ(program.desktop.launches.size(), 1u);
  EXPECT_EQ(callsDuringTheLaunch(program.desktop), std::vector<std::string>{});
  EXPECT_EQ(changesWhenTheShellReturned, changesWhenTheShellWasCalled);
  // The resume and restart gestures never ran, not even after the tick.
  EXPECT_EQ(program.main.label("KESTRANE_COUNTDOWN_MESSAGE").caption(), "COUNTDOWN STARTED");
  EXPECT_LT(program.main.RemainingTime, 1.0 / 86400.0);
  EXPECT_EQ(program.view.closes, 1);
  EXPECT_EQ(program.main.exitCode(), 0);
  EXPECT_TRUE(program.errors.reported.empty());
}

// A click that comes while the pause runs (its caption step lets messages
// through, say) waits for the pause to finish; a countdown beat is dropped.
TEST(OneHandlerAtATime, AClickDuringAHandlerRunsAfterItAndATimerBeatIsDropped) {
  Program program;
  program.main.load();
  bool delivered = false;
  program.view.whileChanging = [&](const std::string& element, Property property) {
    if (delivered || element != "KESTRANE_COUNTDOWN_MESSAGE" || property != Property::Caption) return;
    delivered = true;
    program.main.raise("KESTRANE_MAIN_COUNTDOWN_TIMER", Event::Timer);
    program.main.raise("KESTRANE_COUNTDOWN_MESSAGE", Event::Click);
  };
  program.main.raise("KESTRANE_ABORT_BUTTON", Event::Click);

  const auto& changes = program.view.changes;
  const std::pair<std::string, Property> pauseEnds{"KESTRANE_ABORT_BUTTON", Property::BackColor};
  const std::pair<std::string, Property> resumeBegins{"KESTRANE_ABORT_BUTTON", Property::Enabled};
  auto pauseEnd = std::find(changes.begin(), changes.end(), pauseEnds);
  ASSERT_NE(pauseEnd, changes.end());
  EXPECT_EQ(std::count(changes.begin(), pauseEnd, resumeBegins), 1) << "the resume began inside the pause";
  EXPECT_EQ(std::count(pauseEnd, changes.end(), resumeBegins), 1) << "the resume never came";

  // The end state is the resume's; the dropped beat showed no digits.
  EXPECT_EQ(program.main.label("KESTRANE_COUNTDOWN_MESSAGE").caption(), "COUNTDOWN RESUMING...");
  EXPECT_EQ(program.main.commandButton("KESTRANE_ABORT_BUTTON").backColor(), green);
  EXPECT_EQ(program.box(), "--\r\n");
  EXPECT_EQ(program.main.RemainingTime, 31.0 / 86400.0);
}

// Stopping a timer does not take back a beat the system had already posted:
// one that arrives after the pause, or after the flasher handed over to its
// other phase, finds its timer off and runs nothing.
TEST(TimerBeats, ABeatOfATimerThatIsOffRunsNothing) {
  Program program;
  program.main.load();
  program.seconds(1);  // "30"; the flasher's first phase has handed over to the second
  program.main.raise("KESTRANE_ABORT_BUTTON", Event::Click);
  const double remaining = program.main.RemainingTime;
  const std::size_t changes = program.view.changes.size();

  for (const char* timer : {"KESTRANE_MAIN_COUNTDOWN_TIMER", "KESTRANE_EX_1_TIMER", "KESTRANE_EX_2_TIMER"}) {
    program.main.raise(timer, Event::Timer);
  }
  EXPECT_EQ(program.box(), "30");
  EXPECT_EQ(program.main.RemainingTime, remaining);
  EXPECT_EQ(program.view.changes.size(), changes) << "a stopped timer's handler ran";

  // Running again, the flasher's waiting phase still ignores a late beat.
  program.main.raise("KESTRANE_COUNTDOWN_MESSAGE", Event::Click);
  ASSERT_TRUE(program.main.timer("KESTRANE_EX_1_TIMER").enabled());
  ASSERT_FALSE(program.main.timer("KESTRANE_EX_2_TIMER").enabled());
  const std::size_t changesWhenResumed = program.view.changes.size();
  program.main.raise("KESTRANE_EX_2_TIMER", Event::Timer);
  EXPECT_EQ(program.view.changes.size(), changesWhenResumed) << "the waiting phase painted";
  EXPECT_TRUE(program.main.timer("KESTRANE_EX_1_TIMER").enabled());
}

TEST(OneHandlerAtATime, ACloseDuringAHandlerUnloadsOnceTheHandlerHasEnded) {
  Program program;
  program.main.load();
  program.view.leftTwips = 3000;
  std::vector<bool> loadedAtEachStep;
  program.view.whileChanging = [&](const std::string& element, Property property) {
    loadedAtEachStep.push_back(program.main.isLoaded());
    if (element == "KESTRANE_COUNTDOWN_TEXTBOX" && property == Property::BackColor) program.main.requestUnload();
  };
  program.main.raise("KESTRANE_ABORT_BUTTON", Event::Click);

  // Every step of the pause that the screen shows (all but the three timers)
  // ran on a loaded window.
  EXPECT_EQ(loadedAtEachStep, std::vector<bool>(11, true));
  EXPECT_EQ(program.main.commandButton("KESTRANE_ABORT_BUTTON").backColor(), black);
  EXPECT_FALSE(program.main.isLoaded());
  EXPECT_EQ(program.view.closes, 1);
  EXPECT_EQ(program.main.exitCode(), 0);
  EXPECT_EQ(program.settings["MainLeft"], "3000");
}

TEST(ErrorPath, EndsWithExitCodeOneWhateverArrivesWhileTheReportIsOpen) {
  Program program;
  program.main.load();
  program.view.leftTwips = 3001;
  program.view.failWhenSetting("KESTRANE_COUNTDOWN_MESSAGE", Property::Caption);
  program.errors.whileReporting = [&] {
    program.main.requestUnload();  // another program asks the window to close
    program.main.raise("KESTRANE_COUNTDOWN_TEXTBOX", Event::Click);
    program.seconds(5);
  };
  program.main.raise("KESTRANE_ABORT_BUTTON", Event::Click);

  ASSERT_EQ(program.errors.reported.size(), 1u);
  EXPECT_EQ(program.main.exitCode(), 1);
  EXPECT_EQ(program.view.closes, 1);
  EXPECT_EQ(program.view.closedWith, 1);
  EXPECT_EQ(program.main.textBox("KESTRANE_COUNTDOWN_TEXTBOX").backColor(), red);  // no resume ran
  EXPECT_EQ(program.box(), "--\r\n");                                                 // and no tick
  EXPECT_EQ(program.settings["MainLeft"], "3001");  // unloaded as on any close
}

TEST(ErrorPath, ASecondFailureWhileUnloadingIsNotReportedAgain) {
  Program program;
  program.main.load();
  program.view.failWhenSetting("KESTRANE_COUNTDOWN_MESSAGE", Property::Caption);
  program.settings.refuseSaves = true;
  program.main.raise("KESTRANE_ABORT_BUTTON", Event::Click);
  EXPECT_EQ(program.errors.reported.size(), 1u);
  EXPECT_EQ(program.main.exitCode(), 1);
  EXPECT_EQ(program.view.closes, 1);
}

TEST(WindowModel, ReachingAMissingElementOrTheWrongKindIsARunTimeError) {
  Program program;
  EXPECT_THROW(program.main.element("KESTRANE_NOTHING"), RuntimeError);
  EXPECT_THROW(program.main.label("KESTRANE_COUNTDOWN_TEXTBOX"), RuntimeError);
  EXPECT_THROW(program.main.timer("KESTRANE_ABORT_BUTTON"), RuntimeError);
}

TEST(WindowModel, AFailingStepEndsTheHandlerReportsItAndEndsTheProgram) {
  Program program;
  program.main.load();
  program.view.failWhenSetting("KESTRANE_COUNTDOWN_MESSAGE", Property::BackColor);
  program.main.on("KESTRANE_COUNTDOWN_MESSAGE", Event::Click, [](KESTRANE_Main& main) {
    main.label("KESTRANE_COUNTDOWN_MESSAGE").setForeColor(red);
    main.label("KESTRANE_COUNTDOWN_MESSAGE").setBackColor(red);
    main.label("KESTRANE_COUNTDOWN_MESSAGE").setCaption("never");
  });
  program.main.raise("KESTRANE_COUNTDOWN_MESSAGE", Event::Click);

  Label& message = program.main.label("KESTRANE_COUNTDOWN_MESSAGE");
  EXPECT_EQ(message.foreColor(), red);        // the step before stays done
  EXPECT_EQ(message.backColor(), black);      // the failing step left no trace
  EXPECT_EQ(message.caption(), "COUNTDOWN STARTED");   // the steps after never ran
  ASSERT_EQ(program.errors.reported.size(), 1u);
  EXPECT_NE(program.errors.reported[0].second.find("BackColor"), std::string::npos);
  EXPECT_EQ(program.view.closedWith, 1);
  EXPECT_FALSE(program.main.isLoaded());

  // Nothing runs afterwards: no tick, no launch. The window unloaded as on
  // any close, so its position is kept.
  program.seconds(60);
  EXPECT_EQ(program.box(), "--\r\n");
  EXPECT_TRUE(program.desktop.launches.empty());
  EXPECT_TRUE(program.settings.has("MainLeft"));
}

TEST(WindowModel, EventsForElementsWithoutAHandlerAreIgnored) {
  Program program;
  program.main.load();
  program.main.raise("KESTRANE_TITLE", Event::DblClick);
  program.main.raise("Line1", Event::Click);
  EXPECT_TRUE(program.errors.reported.empty());
  EXPECT_TRUE(program.main.isLoaded());
}

}  // namespace
}  // namespace kestrane::testing
