#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "announcements.h"
#include "fake_platform.h"

namespace kestrane::testing {
namespace {

struct RecordingAnnouncer : Announcer {
  void announce(const std::string& text) override { said.push_back({text, clock->now()}); }
  struct Said {
    std::string text;
    long long at;
  };
  const SimulatedClock* clock = nullptr;
  std::vector<Said> said;
};

// A program wired as the real one is, with its announcements recorded.
struct Announced : ::testing::Test {
  Program program;
  RecordingAnnouncer announcer;

  Announced() {
    announcer.clock = &program.clock;
    wireHandlers(program.main, &announcer);
  }
  KESTRANE_Main& main() { return program.main; }
  void after(double seconds) { program.clock.advance(static_cast<long long>(seconds * 1000)); }
  void raise(const char* element, Event event) { main().raise(element, event); }
  std::vector<std::string> texts() const {
    std::vector<std::string> texts;
    for (const auto& said : announcer.said) texts.push_back(said.text);
    return texts;
  }
  std::string last() const { return announcer.said.empty() ? "" : announcer.said.back().text; }
};

TEST_F(Announced, StartSaysWhatWillRunWithAdministratorRightsAndHowToPause) {
  main().load();
  ASSERT_EQ(texts().size(), 1u);
  EXPECT_EQ(last(),
            "KESTRANE will run KESTRANE.BAT with administrator rights in 31 seconds. Press Enter or Esc to pause.");
}

TEST_F(Announced, AnUninterruptedCountdownSpeaksOnlyAtTenAndFiveSecondsLeft) {
  main().load();
  after(40);
  ASSERT_EQ(announcer.said.size(), 3u) << ::testing::PrintToString(texts());
  EXPECT_EQ(announcer.said[1].text, "10 seconds left before KESTRANE.BAT runs. Press Enter or Esc to pause.");
  EXPECT_EQ(announcer.said[1].at, 21000);
  EXPECT_EQ(announcer.said[2].text, "5 seconds left before KESTRANE.BAT runs. Press Enter or Esc to pause.");
  EXPECT_EQ(announcer.said[2].at, 26000);
  EXPECT_EQ(program.desktop.launches.size(), 1u);  // it still ran to the end
}

TEST_F(Announced, PauseContinueAndRestartSayTheTimeTheBoxShows) {
  main().load();
  after(24);  // the box shows "07"
  raise("KESTRANE_ABORT_BUTTON", Event::Click);
  EXPECT_EQ(last(), "Countdown paused at 7 seconds. Press Alt+Space to continue or restart.");
  after(5);
  raise("KESTRANE_COUNTDOWN_TEXTBOX", Event::Click);
  EXPECT_EQ(last(), "Countdown continues from 7 seconds.");
  raise("KESTRANE_ABORT_BUTTON", Event::Click);
  raise("KESTRANE_COUNTDOWN_MESSAGE", Event::Click);
  EXPECT_EQ(last(), "Countdown continues from 7 seconds.");
  raise("KESTRANE_COUNTDOWN_MESSAGE", Event::DblClick);
  // The box still shows "07" until the next tick; the restart speaks the new time.
  EXPECT_EQ(main().textBox("KESTRANE_COUNTDOWN_TEXTBOX").assignedText(), "07");
  EXPECT_EQ(last(), "Countdown restarted from 31 seconds.");
  raise("KESTRANE_COUNTDOWN_TEXTBOX", Event::DblClick);
  EXPECT_EQ(last(), "Countdown restarted from 31 seconds.");
  EXPECT_EQ(texts().size(), 8u);  // with the start and "10 seconds left"
}

TEST_F(Announced, AfterARestartTheLastSecondsAreSpokenAgain) {
  main().load();
  after(22);  // past 10 seconds left
  raise("KESTRANE_COUNTDOWN_TEXTBOX", Event::DblClick);
  const std::size_t before = announcer.said.size();
  after(20.5);  // the box shows "11"
  EXPECT_EQ(announcer.said.size(), before);
  after(1);
  EXPECT_EQ(last(), "10 seconds left before KESTRANE.BAT runs. Press Enter or Esc to pause.");
}

TEST_F(Announced, APauseBeforeTheFirstTickSpeaksTheFullTime) {
  main().load();
  after(0.5);  // the box still shows "--" and a line break
  raise("KESTRANE_ABORT_BUTTON", Event::Click);
  EXPECT_EQ(last(), "Countdown paused at 31 seconds. Press Alt+Space to continue or restart.");
  raise("KESTRANE_COUNTDOWN_MESSAGE", Event::Click);
  EXPECT_EQ(last(), "Countdown continues from 31 seconds.");
}

TEST_F(Announced, TheFlasherAndTheKeeperNeverSpeak) {
  main().load();
  after(0.5);
  const std::size_t before = announcer.said.size();
  for (const char* timer : {"KESTRANE_EX_1_TIMER", "KESTRANE_EX_2_TIMER", "AlwaysOnTopTimer"}) {
    raise(timer, Event::Timer);
  }
  EXPECT_EQ(announcer.said.size(), before);
}

TEST_F(Announced, AHandlerThatFailsPartWaySaysNothing) {
  main().load();
  const std::size_t before = announcer.said.size();
  program.view.failWhenSetting("KESTRANE_COUNTDOWN_MESSAGE", Property::Caption);
  raise("KESTRANE_ABORT_BUTTON", Event::Click);
  EXPECT_FALSE(main().isLoaded());
  EXPECT_EQ(announcer.said.size(), before);
}

TEST_F(Announced, TheTickThatLaunchesSaysNothingAfterTheWindowIsGone) {
  main().load();
  after(30.5);
  const std::size_t before = announcer.said.size();
  after(1);  // "00": launch and unload
  EXPECT_FALSE(main().isLoaded());
  EXPECT_EQ(announcer.said.size(), before);
}

TEST(AnnouncementTexts, SecondsComeFromTheBoxDigitsOrElseFromTheTimeLeft) {
  const double second = 1.0 / 86400;
  EXPECT_EQ(announcements::secondsShown("07", 12 * second), 7);
  EXPECT_EQ(announcements::secondsShown("30", 31 * second), 30);
  EXPECT_EQ(announcements::secondsShown("--\r\n", 31 * second), 31);
  EXPECT_EQ(announcements::secondsShown("7", 12 * second), 12);   // not two digits
  EXPECT_EQ(announcements::secondsShown("x7", 12 * second), 12);
  EXPECT_EQ(announcements::secondsShown("", 0.0 / 0.0), 0);       // no time at all: nothing silly
  EXPECT_EQ(announcements::paused(1), "Countdown paused at 1 second. Press Alt+Space to continue or restart.");
  EXPECT_EQ(announcements::continued(0), "Countdown continues from 0 seconds.");
}

}  // namespace
}  // namespace kestrane::testing
