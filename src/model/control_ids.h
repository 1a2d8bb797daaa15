#pragma once

namespace kestrane {

// A child control's id is this plus its element's id (its position in the
// element table), so tools outside the program can name the controls.
inline constexpr int firstControlId = 1000;

}  // namespace kestrane
