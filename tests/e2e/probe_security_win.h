#pragma once

// The probe's look at a named object's security, and a claim the user's
// programs may not open (see probe_win.cpp).

#include <windows.h>

int printSecurity(const wchar_t* mappingName);
int holdClaim(const wchar_t* mappingName);
