#pragma once

#include <cstdint>

namespace kestrane {

// A colour laid out 0x00BBGGRR, the same layout as the platform's COLORREF.
using Colour = std::uint32_t;

namespace colours {
constexpr Colour black = 0;
constexpr Colour red = 255;
constexpr Colour green = 65280;
}  // namespace colours

}  // namespace kestrane
