#pragma once

namespace kestrane {

class KESTRANE_Main;

// Connects the window's events to the handlers that answer them.
void wireHandlers(KESTRANE_Main& main);

}  // namespace kestrane
