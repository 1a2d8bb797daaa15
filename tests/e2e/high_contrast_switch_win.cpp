// Stands in for the user's high-contrast setting, inside the program's own
// process, for the end-to-end tests only.
//
// Wine always answers SystemParametersInfoW(SPI_GETHIGHCONTRAST) with the
// setting off, and has no way to turn it on. Once loaded into the program
// (the probe's "inject" command), this DLL points the program's import of
// USER32's SystemParametersInfoW at an answer of its own: every call goes
// to the real function, and while the switch is on, SPI_GETHIGHCONTRAST
// comes back with HCF_HIGHCONTRASTON set, as Windows answers while the user
// has high contrast on (Microsoft's HIGHCONTRASTW page).
//
// The switch is one number in a named shared memory, made when the DLL
// loads, off to begin with; the probe's "highcontrast" command turns it on
// or off. Its name carries the program's process id.
//
// Loading fails when the program imports no SystemParametersInfoW to
// redirect, so that a test never goes on believing high contrast is on.

#include <windows.h>

#include <cwchar>

namespace {

using SystemParametersFunction = BOOL(WINAPI*)(UINT, UINT, PVOID, UINT);

SystemParametersFunction realSystemParameters = nullptr;
HANDLE switchMemory = nullptr;
volatile LONG* switchOn = nullptr;

BOOL WINAPI answerSystemParameters(UINT action, UINT number, PVOID data, UINT update) {
  const BOOL answered = realSystemParameters(action, number, data, update);
  if (answered && action == SPI_GETHIGHCONTRAST && data && *switchOn) {
    static_cast<HIGHCONTRASTW*>(data)->dwFlags |= HCF_HIGHCONTRASTON | HCF_AVAILABLE;
  }
  return answered;
}

// Points every import slot of the module that holds original at
// replacement; how many it changed.
int redirectImports(HMODULE module, void* original, void* replacement) {
  auto* base = reinterpret_cast<BYTE*>(module);
  const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
  const auto* headers = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
  const IMAGE_DATA_DIRECTORY& imports = headers->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
  if (!imports.VirtualAddress) return 0;
  int changed = 0;
  const auto* library = reinterpret_cast<const IMAGE_IMPORT_DESCRIPTOR*>(base + imports.VirtualAddress);
  for (; library->Name; ++library) {
    for (auto* slot = reinterpret_cast<void**>(base + library->FirstThunk); *slot; ++slot) {
      if (*slot != original) continue;
      DWORD was = 0;
      if (!VirtualProtect(slot, sizeof *slot, PAGE_READWRITE, &was)) continue;
      InterlockedExchangePointer(slot, replacement);
      VirtualProtect(slot, sizeof *slot, was, &was);
      ++changed;
    }
  }
  return changed;
}

bool makeSwitch() {
  wchar_t name[64];
  std::swprintf(name, 64, L"Local\\KESTRANE_high_contrast_switch_%lu", GetCurrentProcessId());
  switchMemory = CreateFileMappingW(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, sizeof(LONG), name);
  if (!switchMemory) return false;
  switchOn = static_cast<volatile LONG*>(MapViewOfFile(switchMemory, FILE_MAP_ALL_ACCESS, 0, 0, sizeof(LONG)));
  return switchOn != nullptr;
}

bool standIn() {
  HMODULE user32 = GetModuleHandleW(L"user32.dll");
  realSystemParameters = user32 ? reinterpret_cast<SystemParametersFunction>(
                                      reinterpret_cast<void*>(GetProcAddress(user32, "SystemParametersInfoW")))
                                : nullptr;
  if (!realSystemParameters || !makeSwitch()) return false;
  return redirectImports(GetModuleHandleW(nullptr), reinterpret_cast<void*>(realSystemParameters),
                         reinterpret_cast<void*>(answerSystemParameters)) > 0;
}

}  // namespace

extern "C" BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID) {
  if (reason == DLL_PROCESS_ATTACH) return standIn() ? TRUE : FALSE;
  return TRUE;
}
