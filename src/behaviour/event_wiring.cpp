#include "event_wiring.h"

#include "countdown.h"
#include "flasher.h"
#include "pause_resume.h"
#include "always_on_top.h"
#include "creator_line.h"
#include "element_names.h"
#include "kestrane_main.h"
#include "announcements.h"
#include "startup_shutdown.h"

namespace kestrane {

void wireHandlers(KESTRANE_Main& main, Announcer* announcer) {
  using namespace announcements;
  main.onLoad(announced(loadMain, afterLoad, announcer));
  main.onUnload(unloadMain);
  main.onSessionEnd(keepPosition);
  main.on(names::countdownTimer, Event::Timer, announced(countdownTick, afterTick, announcer));
  main.on(names::alwaysOnTopTimer, Event::Timer, keepOnTop);
  main.on(names::flasherTimer1, Event::Timer, paintGreenPhase);
  main.on(names::flasherTimer2, Event::Timer, paintDarkPhase);
  main.on(names::abortButton, Event::Click, announced(pauseCountdown, afterPause, announcer));
  main.on(names::countdownBox, Event::Click, announced(continueFromBox, afterContinue, announcer));
  main.on(names::countdownBox, Event::DblClick, announced(restartCountdown, afterRestart, announcer));
  main.on(names::countdownMessage, Event::DblClick, announced(restartCountdown, afterRestart, announcer));
  main.on(names::countdownMessage, Event::Click, announced(continueFromMessage, afterContinue, announcer));
  main.on(names::creator, Event::DblClick, showMakerContact);
}

}  // namespace kestrane
