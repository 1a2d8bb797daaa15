#include "painting.h"

namespace kestrane {

DrawnColours textElementColours(Colour fore, Colour back, const std::optional<SystemColours>& highContrast) {
  if (!highContrast) return {fore, back};
  if (back == colours::black) return {highContrast->windowText, highContrast->window};
  return {highContrast->highlightText, highContrast->highlight};
}

DrawnColours buttonColours(Colour back, bool enabled, const std::optional<SystemColours>& highContrast) {
  if (!highContrast) return {colours::black, back};
  return {enabled ? highContrast->buttonText : highContrast->grayText, highContrast->buttonFace};
}

}  // namespace kestrane
