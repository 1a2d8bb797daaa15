#include <gtest/gtest.h>

#include <cfloat>

#include "number_text.h"

namespace kestrane {
namespace {

const NumberFormat dot{"."};
const NumberFormat comma{","};

TEST(NumberText, ReadsDecimalTextsWithTheUsersSeparator) {
  EXPECT_EQ(textToSingle("1000", dot), 1000.0f);
  EXPECT_EQ(textToSingle("-120", dot), -120.0f);
  EXPECT_EQ(textToSingle("+15", dot), 15.0f);
  EXPECT_EQ(textToSingle(" 1500 ", dot), 1500.0f);
  EXPECT_EQ(textToSingle("12.5", dot), 12.5f);
  EXPECT_EQ(textToSingle("12,5", comma), 12.5f);
  EXPECT_EQ(textToSingle("1.234568E+07", dot), 12345680.0f);
  EXPECT_EQ(textToSingle("-999999", dot), -999999.0f);
}

TEST(NumberText, RejectsEverythingThatIsNotANumber) {
  for (const char* text : {"", " ", "abc", "12x", " 12ab", "1 2", "12.5.1", "--1", "+-1", "1e", "e5", ".",
                           "inf", "nan", "0x10", "1,000"}) {
    EXPECT_FALSE(textToSingle(text, dot).has_value()) << '"' << text << '"';
  }
  // The other locale's separator is not a decimal point.
  EXPECT_FALSE(textToSingle("12.5", comma).has_value());
}

TEST(NumberText, RejectsNumbersBeyondASingle) {
  EXPECT_FALSE(textToSingle("1e39", dot).has_value());
  EXPECT_FALSE(textToSingle("-3.5e38", dot).has_value());
  EXPECT_TRUE(textToSingle("3.4e38", dot).has_value());
}

TEST(NumberText, WritesUpToSevenSignificantDigitsThatReadBack) {
  EXPECT_EQ(singleToText(1000.0f, dot), "1000");
  EXPECT_EQ(singleToText(-120.0f, dot), "-120");
  EXPECT_EQ(singleToText(0.0f, dot), "0");
  EXPECT_EQ(singleToText(1234567.0f, dot), "1234567");
  EXPECT_EQ(singleToText(12.5f, comma), "12,5");
  for (float value : {1000.0f, -120.0f, 12.5f, 1.0f / 3.0f, 12345678.0f, -0.001f, FLT_MAX}) {
    for (const NumberFormat* format : {&dot, &comma}) {
      auto back = textToSingle(singleToText(value, *format), *format);
      ASSERT_TRUE(back.has_value()) << value;
      EXPECT_FLOAT_EQ(*back, value);
    }
  }
}

}  // namespace
}  // namespace kestrane
