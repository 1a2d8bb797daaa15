#pragma once

#include <optional>

#include "colour.h"

namespace kestrane {

// The system's colours that the high-contrast look is drawn in, as the
// platform reports them for the user's chosen scheme.
struct SystemColours {
  Colour windowText;
  Colour window;
  Colour highlightText;
  Colour highlight;
  Colour buttonText;
  Colour buttonFace;
  Colour grayText;
};

// What an element is drawn in: its text (or the button's caption) on its ground.
struct DrawnColours {
  Colour text;
  Colour ground;
};

// A label or text box with the given model colours. Without high contrast
// these are the model's own. In high contrast the designed black ground
// (the countdown running, the flasher's dark phase) becomes window text on
// window, and every coloured ground (the flasher's green phase, the paused
// look) becomes highlight text on highlight, so the flashing and the pause
// stay visible in the user's colours.
DrawnColours textElementColours(Colour fore, Colour back, const std::optional<SystemColours>& highContrast);

// The abort button. Without high contrast its ground is the model's
// BackColor (the pictures carry the caption). In high contrast it is a
// button in the user's colours, its caption dimmed while it is disabled.
DrawnColours buttonColours(Colour back, bool enabled, const std::optional<SystemColours>& highContrast);

}  // namespace kestrane
