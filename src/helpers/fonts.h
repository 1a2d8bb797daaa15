#pragma once

#include <string>
#include <string_view>

namespace kestrane {

// What the system reports about the font it picked for a request.
struct PickedFont {
  std::string face;
  int characterHeight = 0;      // pixels, without the internal leading
  unsigned pitchAndFamily = 0;  // the platform's pitch, technology and family bits
};

// True when the designed face serves at the height asked: the system picked
// that face, as an outline font (TrueType or OpenType), at that character
// height give or take a pixel. A bitmap face stops at its largest designed
// size and is otherwise stretched by whole multiples into blocky digits.
bool designedFaceServes(std::string_view designedFace, int pixelHeight, const PickedFont& picked);

}  // namespace kestrane
