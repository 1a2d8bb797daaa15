#pragma once

// The probe's looks at the running program (see probe_win.cpp for each
// command's arguments and what it prints).

#include <windows.h>

int printState(DWORD timeoutMs);
int watch(DWORD timeoutMs, UINT answerMs);
int printStatusBar();
int printErrorBox(DWORD timeoutMs);
int printPopupMenu(DWORD timeoutMs);
int printAbove(HWND window);
