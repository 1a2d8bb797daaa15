#include "event_wiring.h"

#include "../countdown/countdown.h"
#include "../window/element_names.h"
#include "../window/kestrane_main.h"
#include "startup_shutdown.h"

namespace kestrane {

void wireHandlers(KESTRANE_Main& main) {
  main.onLoad(loadMain);
  main.onUnload(unloadMain);
  main.on(names::countdownTimer, Event::Timer, countdownTick);
}

}  // namespace kestrane
