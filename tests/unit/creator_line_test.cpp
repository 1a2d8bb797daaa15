#include <gtest/gtest.h>

#include "fake_platform.h"

namespace kestrane::testing {
namespace {

using namespace colours;

TEST(CreatorLine, ADoubleClickShowsTheContactAddressForGoodAndAClickDoesNothing) {
  Program program;
  program.main.load();
  Label& creator = program.main.label("KESTRANE_CREATOR");
  program.main.raise("KESTRANE_CREATOR", Event::Click);
  EXPECT_EQ(creator.caption(), "Created By Orwyn402");

  program.main.raise("KESTRANE_CREATOR", Event::Click);  // a double-click's first press
  program.main.raise("KESTRANE_CREATOR", Event::DblClick);
  EXPECT_EQ(creator.caption(), "orwyn402@example.com");
  EXPECT_EQ(creator.foreColor(), green);  // nothing else changes
  EXPECT_EQ(program.main.label("KESTRANE_COUNTDOWN_MESSAGE").caption(), "COUNTDOWN STARTED");
  EXPECT_EQ(program.main.RemainingTime, 31.0 / 86400.0);

  program.main.raise("KESTRANE_CREATOR", Event::DblClick);
  EXPECT_EQ(creator.caption(), "orwyn402@example.com");
}

TEST(CreatorLine, AFailedCaptionKeepsTheCreditLine) {
  Program program;
  program.main.load();
  program.view.failWhenSetting("KESTRANE_CREATOR", Property::Caption);
  program.main.raise("KESTRANE_CREATOR", Event::DblClick);
  EXPECT_EQ(program.main.label("KESTRANE_CREATOR").caption(), "Created By Orwyn402");
  EXPECT_EQ(program.errors.reported.size(), 1u);
}

}  // namespace
}  // namespace kestrane::testing
