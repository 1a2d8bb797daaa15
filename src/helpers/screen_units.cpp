#include "screen_units.h"

#include <algorithm>
#include <cmath>

namespace kestrane {

namespace {

constexpr double twipsPerInch = 1440.0;
constexpr unsigned designDpi = 96;

unsigned usable(unsigned dpi) { return dpi == 0 ? designDpi : dpi; }

}  // namespace

double twipsAsPixels(double twips, unsigned dpi) { return twips * usable(dpi) / twipsPerInch; }

int twipsToPixels(double twips, unsigned dpi) {
  const double pixels = twipsAsPixels(twips, dpi);
  if (std::isnan(pixels)) return 0;
  // Far beyond any screen either way; kept in range so that rounding is defined.
  constexpr double limit = 1 << 30;
  return static_cast<int>(std::lround(std::clamp(pixels, -limit, limit)));
}

float pixelsToTwips(int pixels, unsigned dpi) { return static_cast<float>(pixels * twipsPerInch / usable(dpi)); }

bool windowCanHave(double pixels) { return std::fabs(pixels) <= largestWindowPixels; }

}  // namespace kestrane
