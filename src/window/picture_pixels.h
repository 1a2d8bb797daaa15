#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace kestrane {

// A picture as 32-bit pixels in blue, green, red, unused order, rows from
// top to bottom: the layout of a top-down 32-bit device-independent bitmap.
struct PicturePixels {
  int width = 0;
  int height = 0;
  std::vector<std::uint8_t> bgrx;

  bool empty() const { return width == 0 || height == 0; }
};

// The pixels of a stored PNG picture; empty when the bytes are not a PNG
// that can be read. A picture with transparency has it dropped, as the
// pictures are opaque by design.
PicturePixels decodePng(const std::uint8_t* bytes, std::size_t size);

}  // namespace kestrane
