// The shipped program's entry: the program with the platform's own parts.

#include "program_win.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int showCommand) {
  return kestrane::runProgram(instance, showCommand, kestrane::ProgramParts{});
}
