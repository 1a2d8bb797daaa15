#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace kestrane {

// The decimal separator of the user's locale, for number texts.
struct NumberFormat {
  std::string decimalSeparator = ".";
};

// The 32-bit float a decimal text denotes, read with the user's decimal
// separator: an optional sign, digits with at most one separator, an
// optional exponent, blanks around it. nullopt for any other text and for
// a number beyond the range of a 32-bit float.
std::optional<float> textToSingle(std::string_view text, const NumberFormat& format);

// The decimal text of a 32-bit float with up to seven significant digits:
// "1000", "-120", "12.5" (with the user's separator); one that textToSingle
// reads back.
std::string singleToText(float value, const NumberFormat& format);

}  // namespace kestrane
