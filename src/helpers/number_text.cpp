#include "number_text.h"

#include <array>
#include <cctype>
#include <charconv>
#include <cfloat>
#include <cmath>

namespace kestrane {

namespace {

std::string_view trimBlanks(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
  return text;
}

// The text with the user's separator written as '.', or nullopt when it
// holds anything but digits, one separator and an exponent.
std::optional<std::string> toPlainNotation(std::string_view text, const std::string& separator) {
  std::string plain;
  bool seenDigit = false;
  for (std::size_t i = 0; i < text.size();) {
    if (!separator.empty() && text.substr(i, separator.size()) == separator) {
      plain += '.';
      i += separator.size();
      continue;
    }
    char c = text[i++];
    if (std::isdigit(static_cast<unsigned char>(c))) {
      seenDigit = true;
    } else if (c != 'e' && c != 'E' && c != '+' && c != '-') {
      return std::nullopt;
    }
    plain += c;
  }
  if (!seenDigit) return std::nullopt;
  return plain;
}

}  // namespace

std::optional<float> textToSingle(std::string_view text, const NumberFormat& format) {
  text = trimBlanks(text);
  bool negative = false;
  if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
    negative = text.front() == '-';
    text.remove_prefix(1);
  }
  auto plain = toPlainNotation(text, format.decimalSeparator);
  if (!plain || plain->front() == '+' || plain->front() == '-') return std::nullopt;

  const std::string& digits = *plain;
  double value = 0;
  const char* first = digits.data();
  const char* last = first + digits.size();
  auto [end, error] = std::from_chars(first, last, value);
  if (error != std::errc() || end != last) return std::nullopt;
  if (!std::isfinite(value) || std::fabs(value) > FLT_MAX) return std::nullopt;
  return static_cast<float>(negative ? -value : value);
}

std::string singleToText(float value, const NumberFormat& format) {
  std::array<char, 32> buffer{};
  auto [end, error] =
      std::to_chars(buffer.data(), buffer.data() + buffer.size(), value, std::chars_format::general, 7);
  std::string text(buffer.data(), error == std::errc() ? end : buffer.data());
  for (std::size_t dot = text.find('.'); dot != std::string::npos; dot = text.find('.', dot)) {
    text.replace(dot, 1, format.decimalSeparator);
    dot += format.decimalSeparator.size();
  }
  return text;
}

}  // namespace kestrane
