#pragma once

// The probe's commands for high contrast, which Wine cannot turn on:
//   probe inject DLL          loads DLL (a full path) into the program's
//                             process; for high_contrast_switch.dll, which
//                             then answers for the high-contrast setting
//   probe highcontrast on|off turns that DLL's setting on or off and tells
//                             every window, as Windows does when the user
//                             turns high contrast on or off
//   probe syscolors [I C]...  sets system colour I to C (a COLORREF) for
//                             each pair, with SetSysColors, which tells every
//                             window; then prints the colours 0 to 30

#include <windows.h>

int injectLibrary(HWND main, const wchar_t* dll);
int switchHighContrast(HWND main, bool on);
int setSystemColours(int pairs, wchar_t** numbers);
