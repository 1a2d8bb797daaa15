#pragma once

// The probe's commands as an accessibility client:
//   probe accessible           every control as an accessibility client
//                              reads it: role, name, value and state
//   probe events [timeout-ms]  as a screen reader listens: prints a line for
//                              each live-region, name or value change and
//                              for the window showing, with the name the
//                              changed object has at that moment

#include <windows.h>

int printAccessible();
int printEvents(DWORD timeoutMs);
