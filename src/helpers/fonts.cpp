#include "fonts.h"

#include <cstdlib>

namespace kestrane {

namespace {

// The technology bits of the pitch-and-family byte.
constexpr unsigned vectorFont = 0x02;    // outlines: OpenType among them
constexpr unsigned trueTypeFont = 0x04;  // TrueType outlines

char lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool sameFace(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (lower(a[i]) != lower(b[i])) return false;
  }
  return true;
}

}  // namespace

bool designedFaceServes(std::string_view designedFace, int pixelHeight, const PickedFont& picked) {
  const bool outline = (picked.pitchAndFamily & (vectorFont | trueTypeFont)) != 0;
  return outline && sameFace(picked.face, designedFace) && std::abs(picked.characterHeight - pixelHeight) <= 1;
}

}  // namespace kestrane
