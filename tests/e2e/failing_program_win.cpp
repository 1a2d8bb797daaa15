// The end-to-end tests' build that watches a run-time error end the
// program, never shipped: the program with a view that refuses the one
// property set named in KESTRANE_FAIL_SETTING (failing_view.h).

#include "failing_view.h"
#include "program_win.h"

namespace {

kestrane::WindowView& failingAround(kestrane::WindowView& window) {
  static kestrane::FailingView view(window);
  return view;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int showCommand) {
  kestrane::ProgramParts parts;
  parts.viewAround = failingAround;
  return kestrane::runProgram(instance, showCommand, parts);
}
