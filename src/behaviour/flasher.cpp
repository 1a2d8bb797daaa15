#include "flasher.h"

#include "element_names.h"
#include "kestrane_main.h"

namespace kestrane {

namespace {

void paintPhase(KESTRANE_Main& main, Colour text, Colour ground, const char* nextTimer, const char* ownTimer) {
  main.textBox(names::leftMark).setForeColor(text);
  main.textBox(names::rightMark).setForeColor(text);
  main.label(names::countdownMessage).setForeColor(text);
  main.textBox(names::leftMark).setBackColor(ground);
  main.textBox(names::rightMark).setBackColor(ground);
  main.label(names::countdownMessage).setBackColor(ground);
  main.timer(nextTimer).setEnabled(true);
  main.timer(ownTimer).setEnabled(false);
}

}  // namespace

void paintGreenPhase(KESTRANE_Main& main) {
  paintPhase(main, colours::black, colours::green, names::flasherTimer2, names::flasherTimer1);
}

void paintDarkPhase(KESTRANE_Main& main) {
  paintPhase(main, colours::green, colours::black, names::flasherTimer1, names::flasherTimer2);
}

}  // namespace kestrane
