#pragma once

#include "win32.h"

namespace kestrane {

// DLLs come only from the system folder. Most of the system's DLLs are not
// protected by the loader's list of known DLLs, so a file of the same name
// left beside the program (in a downloads folder, say) would otherwise be
// found first and run inside it, before the elevated launch.

// Makes the system folder the only place the process looks for DLLs from
// now on. The first thing the program does.
void loadLibrariesOnlyFromSystemFolder();

// A DLL from the system folder, by file name; null when it is not there.
HMODULE loadSystemLibrary(const wchar_t* fileName);

// Functions looked up at run time rather than imported: those that only
// newer systems have, and those of the DLLs loaded only when needed.

// A function of a loaded DLL, typed; null when the DLL or the function is missing.
template <class Function>
Function functionOf(HMODULE module, const char* name) {
  return module ? reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name))) : nullptr;
}

// A function of user32, which the program imports and so has loaded; null
// on a system too old to have it.
template <class Function>
Function user32Function(const char* name) {
  return functionOf<Function>(GetModuleHandleW(L"user32.dll"), name);
}

}  // namespace kestrane
