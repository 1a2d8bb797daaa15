#pragma once

#include <optional>
#include <string>

#include "announcer.h"
#include "kestrane_main.h"

namespace kestrane {

// What a screen reader hears, decided from what the window shows once a
// handler has run. A handler's own steps stay exactly as they are; the
// announcement comes after them.
namespace announcements {

// The whole seconds the countdown box shows ("07" is 7). Before the first
// tick the box shows no digits; then it is the time left, rounded.
int secondsShown(const std::string& boxText, double remainingTime);

std::string started(int seconds);
std::string paused(int seconds);
std::string continued(int seconds);
std::string restarted(int seconds);
std::string secondsLeft(int seconds);

// Given the window after each handler: the text to say, or nothing.
std::optional<std::string> afterLoad(KESTRANE_Main& main);
std::optional<std::string> afterPause(KESTRANE_Main& main);
std::optional<std::string> afterContinue(KESTRANE_Main& main);
std::optional<std::string> afterRestart(KESTRANE_Main& main);
// Only the ticks that leave 10 and 5 seconds are spoken, never the others.
std::optional<std::string> afterTick(KESTRANE_Main& main);

}  // namespace announcements

using Speech = std::optional<std::string> (*)(KESTRANE_Main&);

// handler, followed by what speech says about its outcome. Nothing is said
// when the handler failed or the window unloaded on the way, or when there
// is no announcer.
Handler announced(Handler handler, Speech speech, Announcer* announcer);

}  // namespace kestrane
