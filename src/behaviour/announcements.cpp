#include "announcements.h"

#include <cmath>
#include <utility>

#include "element_names.h"

namespace kestrane {

namespace announcements {

namespace {

constexpr double secondsPerDay = 86400.0;

std::string secondsText(int seconds) {
  return std::to_string(seconds) + (seconds == 1 ? " second" : " seconds");
}

bool isTwoDigits(const std::string& text) {
  return text.size() == 2 && text[0] >= '0' && text[0] <= '9' && text[1] >= '0' && text[1] <= '9';
}

int secondsOnTheBox(KESTRANE_Main& main) {
  return secondsShown(main.textBox(names::countdownBox).assignedText(), main.RemainingTime);
}

}  // namespace

int secondsShown(const std::string& boxText, double remainingTime) {
  if (isTwoDigits(boxText)) return (boxText[0] - '0') * 10 + (boxText[1] - '0');
  const double seconds = std::round(remainingTime * secondsPerDay);
  if (!(seconds >= 0 && seconds <= 86400)) return 0;  // not a time of day: nothing sensible to say
  return static_cast<int>(seconds);
}

std::string started(int seconds) {
  return "KESTRANE will run KESTRANE.BAT with administrator rights in " + secondsText(seconds) +
         ". Press Enter or Esc to pause.";
}

std::string paused(int seconds) {
  return "Countdown paused at " + secondsText(seconds) + ". Press Alt+Space to continue or restart.";
}

std::string continued(int seconds) { return "Countdown continues from " + secondsText(seconds) + "."; }

std::string restarted(int seconds) { return "Countdown restarted from " + secondsText(seconds) + "."; }

std::string secondsLeft(int seconds) {
  return secondsText(seconds) + " left before KESTRANE.BAT runs. Press Enter or Esc to pause.";
}

std::optional<std::string> afterLoad(KESTRANE_Main& main) { return started(secondsOnTheBox(main)); }
std::optional<std::string> afterPause(KESTRANE_Main& main) { return paused(secondsOnTheBox(main)); }
std::optional<std::string> afterContinue(KESTRANE_Main& main) { return continued(secondsOnTheBox(main)); }

// The box still shows the digits from before the restart until the next
// tick, so the time comes from RemainingTime, which the restart has just set.
std::optional<std::string> afterRestart(KESTRANE_Main& main) {
  return restarted(secondsShown("", main.RemainingTime));
}

std::optional<std::string> afterTick(KESTRANE_Main& main) {
  const std::string& shown = main.textBox(names::countdownBox).assignedText();
  if (shown == "10") return secondsLeft(10);
  if (shown == "05") return secondsLeft(5);
  return std::nullopt;
}

}  // namespace announcements

Handler announced(Handler handler, Speech speech, Announcer* announcer) {
  if (!announcer) return handler;
  return [handler = std::move(handler), speech, announcer](KESTRANE_Main& main) {
    handler(main);  // a failure ends here: nothing is said about a handler that did not finish
    if (!main.isLoaded()) return;
    if (auto text = speech(main)) announcer->announce(*text);
  };
}

}  // namespace kestrane
