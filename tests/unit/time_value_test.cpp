#include <gtest/gtest.h>

#include "time_value.h"

namespace kestrane::testing {
namespace {

TEST(TimeValue, ParsesTimeTextsToTheNearestDouble) {
  EXPECT_EQ(parseTimeText("00:00:31"), 31.0 / 86400.0);
  EXPECT_EQ(*parseTimeText("00:00:31"), 0.0003587962962962963);
  EXPECT_EQ(parseTimeText("12:00"), 0.5);
  EXPECT_EQ(parseTimeText("23:59:59"), 86399.0 / 86400.0);
  for (const char* bad : {"", "31", "00:60:00", "24:00:00", "0:0:0:0", "a:b:c", "00:00:3x", "00::31"}) {
    EXPECT_FALSE(parseTimeText(bad).has_value()) << bad;
  }
}

TEST(TimeValue, FormatsTheSecondsFieldAsTwoDigits) {
  EXPECT_EQ(formatSeconds(31.0 / 86400.0), "31");
  EXPECT_EQ(formatSeconds(7.0 / 86400.0 + 1e-15), "07");
  EXPECT_EQ(formatSeconds(0.0), "00");
  EXPECT_EQ(formatSeconds(61.0 / 86400.0), "01");           // the field, not the total
  EXPECT_EQ(formatSeconds(45000.0 + 59.0 / 86400.0), "59");  // a date's day part plays no part
  EXPECT_EQ(formatSeconds(30.0 / 86400.0 - 1e-17), "30");    // a hair under a second still shows it
}

}  // namespace
}  // namespace kestrane::testing
