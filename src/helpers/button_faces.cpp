#include "button_faces.h"

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

void PicturePixels::Release::operator()(std::uint8_t* pixels) const { stbi_image_free(pixels); }

PicturePixels decodePng(const std::uint8_t* bytes, std::size_t size) {
  if (!bytes || size == 0 || size > static_cast<std::size_t>(INT_MAX)) return {};
  // Read as four channels and reordered in place: one buffer of the
  // bitmap's size, nothing copied.
  int width = 0, height = 0, channels = 0;
  stbi_uc* pixels = stbi_load_from_memory(bytes, static_cast<int>(size), &width, &height, &channels, 4);
  if (!pixels) return {};
  const std::size_t count = static_cast<std::size_t>(width) * static_cast<std::size_t>(height);
  for (stbi_uc* pixel = pixels; pixel != pixels + 4 * count; pixel += 4) {
    const stbi_uc red = pixel[0];
    pixel[0] = pixel[2];
    pixel[2] = red;
    pixel[3] = 0;
  }
  return PicturePixels(width, height, pixels);
}

}  // namespace kestrane
