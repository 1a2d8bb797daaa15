#pragma once

#include <map>
#include <utility>

#include "win32.h"

namespace kestrane {

// The elements' bold fonts by point size at one density. The designed face
// is used where it really renders at the size asked for; otherwise a plain
// sans-serif face of the same size and weight takes its place.
class ElementFonts {
 public:
  ElementFonts() = default;
  ElementFonts(const ElementFonts&) = delete;
  ElementFonts& operator=(const ElementFonts&) = delete;
  ~ElementFonts() { clear(); }

  HFONT font(int points, UINT dpi);
  // Deletes the fonts made for other densities, once no control uses them.
  void keepOnly(UINT dpi);
  void clear();

 private:
  std::map<std::pair<UINT, int>, HFONT> fonts_;  // by density and point size
};

}  // namespace kestrane
