#include "picture_pixels.h"

#include <climits>

// The PNG reader: only PNG, only from memory, no floating-point formats.
// Pictures larger than this are refused rather than allocated.
#define STBI_ONLY_PNG
#define STBI_NO_STDIO
#define STBI_NO_LINEAR
#define STBI_NO_HDR
#define STBI_NO_FAILURE_STRINGS
#define STBI_MAX_DIMENSIONS 8192
#define STB_IMAGE_STATIC
#define STB_IMAGE_IMPLEMENTATION
#if defined(_MSC_VER)
#pragma warning(push, 0)
#endif
#include <stb_image.h>
#if defined(_MSC_VER)
#pragma warning(pop)
#endif

namespace kestrane {

PicturePixels decodePng(const std::uint8_t* bytes, std::size_t size) {
  PicturePixels picture;
  if (!bytes || size == 0 || size > static_cast<std::size_t>(INT_MAX)) return picture;
  int width = 0, height = 0, channels = 0;
  stbi_uc* rgb = stbi_load_from_memory(bytes, static_cast<int>(size), &width, &height, &channels, 3);
  if (!rgb) return picture;
  const std::size_t count = static_cast<std::size_t>(width) * static_cast<std::size_t>(height);
  picture.bgrx.resize(count * 4);
  for (std::size_t i = 0; i < count; ++i) {
    picture.bgrx[4 * i + 0] = rgb[3 * i + 2];
    picture.bgrx[4 * i + 1] = rgb[3 * i + 1];
    picture.bgrx[4 * i + 2] = rgb[3 * i + 0];
    picture.bgrx[4 * i + 3] = 0;
  }
  stbi_image_free(rgb);
  picture.width = width;
  picture.height = height;
  return picture;
}

}  // namespace kestrane
