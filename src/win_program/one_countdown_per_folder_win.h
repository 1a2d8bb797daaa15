#pragma once

#include "win32.h"

namespace kestrane {

// One countdown per batch file: the launch runs the "KESTRANE.BAT" of the
// folder the program was started in, so two starts from one folder would
// run the same batch file twice with administrator rights. The first start
// in a session claims its folder through a named object in the session's
// namespace and publishes its window there; a later start from that folder
// brings that window to the front instead of counting down itself. Starts
// from other folders, and other users' sessions, keep their own countdowns.
class OneCountdownPerFolder {
 public:
  OneCountdownPerFolder() = default;
  OneCountdownPerFolder(const OneCountdownPerFolder&) = delete;
  OneCountdownPerFolder& operator=(const OneCountdownPerFolder&) = delete;
  ~OneCountdownPerFolder();

  // True when this start may count down. False when a countdown from the
  // same folder is already running: its window has then been brought to
  // the front, restored if it was minimised, unless that start made its
  // claim with rights this one lacks.
  bool claim();
  // The window that later starts from this folder bring to the front; null
  // once it is gone.
  void publish(HWND window);

 private:
  HANDLE mapping_ = nullptr;
  volatile LONG64* published_ = nullptr;
};

}  // namespace kestrane
