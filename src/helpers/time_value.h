#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace kestrane {

// Date-and-time values are days since 30 December 1899, the fraction being
// the time of day: one second is 1/86400.

// The time of day a text "h:mm:ss" (or "h:mm") denotes, as the double
// nearest to it; nullopt for a text that is not such a time.
std::optional<double> parseTimeText(std::string_view text);

// The seconds field of a date-and-time value's time of day, as two digits
// with a leading zero (the "ss" format). The value is brought to the
// nearest whole second first.
std::string formatSeconds(double dateTime);

}  // namespace kestrane
