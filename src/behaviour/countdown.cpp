#include "countdown.h"

#include <cfenv>

#include "desktop.h"
#include "element_names.h"
#include "kestrane_main.h"
#include "time_value.h"

namespace kestrane {

namespace {

constexpr const char* startTimeText = "00:00:31";

// One second in days, computed as 1/24/60/60 at run time so that the
// floating-point conditions it raises are the ones the check sees.
double oneSecond() {
  volatile double day = 1.0;
  return day / 24 / 60 / 60;
}

void checkFloatingPoint() {
  if (std::fetestexcept(FE_INVALID)) {
    throw RuntimeError(RuntimeError::InvalidProcedureCall,
                       "Invalid floating-point operation in the countdown");
  }
  if (std::fetestexcept(FE_DIVBYZERO)) {
    throw RuntimeError(RuntimeError::DivisionByZero, "Division by zero in the countdown");
  }
  if (std::fetestexcept(FE_OVERFLOW)) {
    throw RuntimeError(RuntimeError::Overflow, "Overflow in the countdown");
  }
}

// At "00": stop counting, ask the shell to run the batch file elevated,
// and unload the window. The launch's result is not looked at.
void expire(KESTRANE_Main& main) {
  main.timer(names::countdownTimer).setEnabled(false);
  WindowHandle owner = main.hWnd();
  main.desktop().ShellExecuteA(owner, "runas", "KESTRANE.BAT", "", "", Desktop::swShowNormal);
  main.unload();
}

}  // namespace

double countdownStartValue() {
  auto start = parseTimeText(startTimeText);
  if (!start) throw RuntimeError(RuntimeError::TypeMismatch, "Bad countdown start time");
  return *start;
}

void countdownTick(KESTRANE_Main& main) {
  std::feclearexcept(FE_ALL_EXCEPT);
  // Kept in memory before the flags are read: otherwise an optimiser that
  // assumes nobody reads them may subtract only after the check.
  volatile double remaining = main.RemainingTime - oneSecond();
  checkFloatingPoint();
  main.RemainingTime = remaining;

  TextBox& box = main.textBox(names::countdownBox);
  box.setText(formatSeconds(main.RemainingTime));
  if (box.text() == "00") expire(main);
}

}  // namespace kestrane
