#include "event_wiring.h"

#include "../countdown/countdown.h"
#include "../countdown/flasher.h"
#include "../countdown/pause_resume.h"
#include "../desktop/always_on_top.h"
#include "../window/creator_line.h"
#include "../window/element_names.h"
#include "../window/kestrane_main.h"
#include "startup_shutdown.h"

namespace kestrane {

void wireHandlers(KESTRANE_Main& main) {
  main.onLoad(loadMain);
  main.onUnload(unloadMain);
  main.on(names::countdownTimer, Event::Timer, countdownTick);
  main.on(names::alwaysOnTopTimer, Event::Timer, keepOnTop);
  main.on(names::flasherTimer1, Event::Timer, paintGreenPhase);
  main.on(names::flasherTimer2, Event::Timer, paintDarkPhase);
  main.on(names::abortButton, Event::Click, pauseCountdown);
  main.on(names::countdownBox, Event::Click, continueFromBox);
  main.on(names::countdownBox, Event::DblClick, restartCountdown);
  main.on(names::countdownMessage, Event::DblClick, restartCountdown);
  main.on(names::countdownMessage, Event::Click, continueFromMessage);
  main.on(names::creator, Event::DblClick, showMakerContact);
}

}  // namespace kestrane
