#pragma once

#include "win32.h"
#include "error_reporter.h"

namespace kestrane {

// Reports a run-time error in a message box titled "KESTRANE", owned by the
// main window.
class MessageBoxErrors : public ErrorReporter {
 public:
  void setOwner(HWND owner) { owner_ = owner; }
  void report(const RuntimeError& error) override;

 private:
  HWND owner_ = nullptr;
};

}  // namespace kestrane
