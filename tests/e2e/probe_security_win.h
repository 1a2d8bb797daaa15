#pragma once

// The probe's look at a named object's security (see probe_win.cpp).

#include <windows.h>

int printSecurity(const wchar_t* mappingName);
