#include "time_value.h"

#include <charconv>
#include <cmath>
#include <vector>

namespace kestrane {

namespace {

constexpr long long secondsPerDay = 24LL * 60 * 60;

std::optional<int> parseField(std::string_view field, int limit) {
  if (field.empty() || field.size() > 2) return std::nullopt;
  int value = 0;
  auto [end, error] = std::from_chars(field.data(), field.data() + field.size(), value);
  if (error != std::errc() || end != field.data() + field.size() || value >= limit) {
    return std::nullopt;
  }
  return value;
}

}  // namespace

std::optional<double> parseTimeText(std::string_view text) {
  std::vector<std::string_view> fields;
  for (std::size_t start = 0;;) {
    std::size_t colon = text.find(':', start);
    fields.push_back(text.substr(start, colon - start));
    if (colon == std::string_view::npos) break;
    start = colon + 1;
  }
  if (fields.size() < 2 || fields.size() > 3) return std::nullopt;
  auto hours = parseField(fields[0], 24);
  auto minutes = parseField(fields[1], 60);
  auto seconds = fields.size() == 3 ? parseField(fields[2], 60) : std::optional<int>(0);
  if (!hours || !minutes || !seconds) return std::nullopt;
  long long total = *hours * 3600LL + *minutes * 60LL + *seconds;
  // One correctly rounded division gives the double nearest to the time.
  return static_cast<double>(total) / static_cast<double>(secondsPerDay);
}

std::string formatSeconds(double dateTime) {
  double timeOfDay = std::fabs(dateTime - std::trunc(dateTime));
  long long wholeSeconds = std::llround(timeOfDay * secondsPerDay);
  int seconds = static_cast<int>(wholeSeconds % 60);
  return {static_cast<char>('0' + seconds / 10), static_cast<char>('0' + seconds % 10)};
}

}  // namespace kestrane
