// The end-to-end tests' build with a launch that takes its time, never
// shipped: after the shell has answered, the launch waits as long as a
// user might at the elevation prompt, so that the tests can watch the
// window go on answering meanwhile.

#include "program_win.h"

namespace {

std::intptr_t slowLaunch(HWND owner, const char* operation, const char* file, const char* parameters,
                         const char* directory, int showCommand) {
  const std::intptr_t result =
      kestrane::launchThroughShell(owner, operation, file, parameters, directory, showCommand);
  Sleep(8000);
  return result;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int showCommand) {
  kestrane::ProgramParts parts;
  parts.shellLaunch = slowLaunch;
  return kestrane::runProgram(instance, showCommand, parts);
}
