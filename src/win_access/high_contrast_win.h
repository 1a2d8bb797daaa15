#pragma once

#include <optional>

#include "painting.h"
#include "win32.h"

namespace kestrane {

// The user's own colours while high contrast is on; nothing otherwise.
std::optional<SystemColours> highContrastColours();

// The user turned high contrast on or off or changed the system colours:
// the whole window is drawn again, and the common controls, which wait for
// their parent to tell them of a colour change, are told.
void repaintForSystemColours(HWND window);
// WM_SETTINGCHANGE: the whole window is drawn again when the setting that
// changed is high contrast.
void repaintIfHighContrastChanged(HWND window, WPARAM setting);

}  // namespace kestrane
