// The end-to-end tests' build with a launch that takes its time, never
// shipped: after the shell has answered, the launch waits as long as a
// user might at the elevation prompt, so that the tests can watch the
// window go on answering meanwhile.

#include "program_win.h"

namespace {

bool slowLaunch(SHELLEXECUTEINFOW& request) {
  const bool taken = kestrane::launchThroughShell(request);
  const DWORD error = GetLastError();
  Sleep(8000);
  SetLastError(error);
  return taken;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int showCommand) {
  kestrane::ProgramParts parts;
  parts.shellLaunch = slowLaunch;
  return kestrane::runProgram(instance, showCommand, parts);
}
