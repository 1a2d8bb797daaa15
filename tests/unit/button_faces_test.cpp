// Reading stored pictures into bitmap-ordered pixels. The PNGs are written
// here by a separate encoder from pixels given as literals.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#define STB_IMAGE_WRITE_STATIC
#define STB_IMAGE_WRITE_IMPLEMENTATION
#include <stb_image_write.h>

#include "button_faces.h"

namespace kestrane {
namespace {

using Bytes = std::vector<std::uint8_t>;

void append(void* context, void* data, int size) {
  auto* bytes = static_cast<Bytes*>(context);
  const auto* begin = static_cast<const std::uint8_t*>(data);
  bytes->insert(bytes->end(), begin, begin + size);
}

Bytes png(int width, int height, int channels, const Bytes& pixels) {
  Bytes bytes;
  EXPECT_NE(stbi_write_png_to_func(append, &bytes, width, height, channels, pixels.data(), width * channels), 0);
  return bytes;
}

Bytes decodedBgrx(const Bytes& bytes, int expectedWidth, int expectedHeight) {
  const PicturePixels picture = decodePng(bytes.data(), bytes.size());
  EXPECT_EQ(picture.width(), expectedWidth);
  EXPECT_EQ(picture.height(), expectedHeight);
  if (picture.empty()) return {};
  return Bytes(picture.bgrx(), picture.bgrx() + picture.byteCount());
}

TEST(PicturePixels, RgbBecomesBlueGreenRedUnusedRowsTopFirst) {
  // Top row: red, green, blue; bottom row: white, black, a mixed colour.
  const Bytes rgb = {255, 0, 0, 0, 255, 0, 0, 0, 255, 255, 255, 255, 0, 0, 0, 10, 20, 30};
  EXPECT_EQ(decodedBgrx(png(3, 2, 3, rgb), 3, 2),
            (Bytes{0, 0, 255, 0, 0, 255, 0, 0, 255, 0, 0, 0, 255, 255, 255, 0, 0, 0, 0, 0, 30, 20, 10, 0}));
}

TEST(PicturePixels, TransparencyIsDroppedAndGreyIsSpreadToEveryColour) {
  const Bytes rgba = {255, 0, 0, 0, 0, 0, 255, 128};  // transparent red, half-opaque blue
  EXPECT_EQ(decodedBgrx(png(2, 1, 4, rgba), 2, 1), (Bytes{0, 0, 255, 0, 255, 0, 0, 0}));
  const Bytes grey = {0, 77, 255};
  EXPECT_EQ(decodedBgrx(png(1, 3, 1, grey), 1, 3), (Bytes{0, 0, 0, 0, 77, 77, 77, 0, 255, 255, 255, 0}));
}

TEST(PicturePixels, BytesThatAreNoReadablePngGiveAnEmptyPicture) {
  const Bytes whole = png(2, 2, 3, Bytes(12, 200));
  const Bytes truncated(whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>(whole.size() / 2));
  Bytes corrupted = whole;
  corrupted[1] = 'X';  // no longer the PNG signature
  const Bytes jpegStart = {0xFF, 0xD8, 0xFF, 0xE0, 0, 16, 'J', 'F', 'I', 'F', 0};
  for (const Bytes& bytes : {truncated, corrupted, jpegStart, Bytes{}}) {
    const PicturePixels picture = decodePng(bytes.data(), bytes.size());
    EXPECT_TRUE(picture.empty());
    EXPECT_EQ(picture.bgrx(), nullptr);
  }
  EXPECT_TRUE(decodePng(nullptr, 100).empty());
}

}  // namespace
}  // namespace kestrane
