#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

namespace kestrane {

// A picture as 32-bit pixels in blue, green, red, unused order, rows from
// top to bottom: the layout of a top-down 32-bit device-independent bitmap.
class PicturePixels {
 public:
  PicturePixels() = default;
  PicturePixels(int width, int height, std::uint8_t* bgrx) : width_(width), height_(height), bgrx_(bgrx) {}

  int width() const { return width_; }
  int height() const { return height_; }
  bool empty() const { return !bgrx_; }
  const std::uint8_t* bgrx() const { return bgrx_.get(); }
  std::size_t byteCount() const { return static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_) * 4; }

 private:
  struct Release {
    void operator()(std::uint8_t* pixels) const;
  };
  int width_ = 0;
  int height_ = 0;
  std::unique_ptr<std::uint8_t, Release> bgrx_;
};

// The pixels of a stored PNG picture; empty when the bytes are not a PNG
// that can be read. A picture with transparency has it dropped, as the
// pictures are opaque by design.
PicturePixels decodePng(const std::uint8_t* bytes, std::size_t size);

}  // namespace kestrane
