#pragma once

namespace kestrane {

class Announcer;
class KESTRANE_Main;

// Connects the window's events to the handlers that answer them. With an
// announcer, the start, pause, continue, restart and the last seconds are
// also spoken once their handler has run.
void wireHandlers(KESTRANE_Main& main, Announcer* announcer = nullptr);

}  // namespace kestrane
