#pragma once

#include <cstdint>

namespace kestrane {

class KESTRANE_Main;

// Load handler: places the window from the settings store, starts the
// keeper, the countdown and the flasher, and sets the countdown's start.
void loadMain(KESTRANE_Main& main);

// Unload handler: unloads any other loaded window and, unless the window is
// minimised, saves its position. It never cancels.
void unloadMain(KESTRANE_Main& main, std::int16_t& cancel);

// Unload's save: the window's left and top, unless it is minimised. Also
// run on its own when the session ends while another handler is running.
void keepPosition(KESTRANE_Main& main);

}  // namespace kestrane
