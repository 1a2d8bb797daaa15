#pragma once

// The one way the program's Windows files take in the platform headers. The
// build gives every Windows target the definitions they are read with (the
// wide functions, no min and max macros, without the rarely used parts):
// kestrane_windows_platform in cmake/windows_program.cmake.
#include <windows.h>
