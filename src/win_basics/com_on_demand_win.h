#pragma once

#include "win32.h"

#include <objbase.h>

namespace kestrane {

// A single-threaded COM apartment on this thread, without OLE1 DDE, for as
// long as the guard lives. ole32 is loaded only when one is made.
class ComApartment {
 public:
  ComApartment();
  ~ComApartment();
  ComApartment(const ComApartment&) = delete;
  ComApartment& operator=(const ComApartment&) = delete;

  // False when COM could not be started here.
  bool started() const { return uninitialize_ != nullptr; }

 private:
  void(WINAPI* uninitialize_)() = nullptr;
};

// COM on the window's thread, started only when something first needs it
// (scaling a picture for another density, or an accessibility annotation),
// so that a start that needs neither never loads ole32. Not for use from
// other threads.
namespace com {

// Starts COM on this thread (apartment-threaded, without OLE1 DDE) the
// first time it is called; true while COM is usable here.
bool start();

// CoCreateInstance for an in-process server, starting COM first.
HRESULT createInstance(REFCLSID classId, REFIID interfaceId, void** object);

// Ends COM on this thread if start() began it. For the end of the program.
void stop();

}  // namespace com
}  // namespace kestrane
