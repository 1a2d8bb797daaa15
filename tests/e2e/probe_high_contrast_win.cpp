#include "probe_high_contrast_win.h"

#include <psapi.h>

#include "probe_memory_win.h"

#include <cstdio>
#include <cwchar>
#include <string>
#include <vector>

namespace {

DWORD processOf(HWND window) {
  DWORD processId = 0;
  GetWindowThreadProcessId(window, &processId);
  return processId;
}

// Where kernel32 is loaded in that process: there its LoadLibraryW is as far
// from the start as in this one.
BYTE* kernel32In(HANDLE process) {
  HMODULE modules[512];
  DWORD needed = 0;
  if (!EnumProcessModulesEx(process, modules, sizeof modules, &needed, LIST_MODULES_ALL)) return nullptr;
  const DWORD count = needed / sizeof(HMODULE) < 512 ? needed / sizeof(HMODULE) : 512;
  for (DWORD i = 0; i < count; ++i) {
    wchar_t name[MAX_PATH] = {};
    if (GetModuleBaseNameW(process, modules[i], name, MAX_PATH) && _wcsicmp(name, L"kernel32.dll") == 0) {
      return reinterpret_cast<BYTE*>(modules[i]);
    }
  }
  return nullptr;
}

// LoadLibraryW(path) on a thread of the process's own; whether it loaded.
bool loadInto(HANDLE process, const wchar_t* path) {
  auto* here = reinterpret_cast<BYTE*>(GetModuleHandleW(L"kernel32.dll"));
  BYTE* there = kernel32In(process);
  auto* loadLibrary = reinterpret_cast<BYTE*>(GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "LoadLibraryW"));
  if (!here || !there || !loadLibrary) return false;
  const SIZE_T size = (std::wcslen(path) + 1) * sizeof(wchar_t);
  BorrowedMemory name(process, size);
  if (!name.write(path, size)) return false;
  HANDLE thread = CreateRemoteThread(process, nullptr, 0,
                                     reinterpret_cast<LPTHREAD_START_ROUTINE>(there + (loadLibrary - here)),
                                     name.there(), 0, nullptr);
  if (!thread) return false;
  DWORD module = 0;  // the low half of the module's handle: zero when it did not load
  const bool finished = WaitForSingleObject(thread, 30000) == WAIT_OBJECT_0;
  const bool loaded = finished && GetExitCodeThread(thread, &module) && module != 0;
  CloseHandle(thread);
  if (!finished) name.keep();  // the thread may still read the name
  return loaded;
}

}  // namespace

int injectLibrary(HWND main, const wchar_t* dll) {
  HANDLE process = OpenProcess(PROCESS_CREATE_THREAD | PROCESS_QUERY_INFORMATION | PROCESS_VM_OPERATION |
                                   PROCESS_VM_READ | PROCESS_VM_WRITE | SYNCHRONIZE,
                               FALSE, processOf(main));
  const bool loaded = process && loadInto(process, dll);
  if (process) CloseHandle(process);
  std::printf("{\"injected\": %s}\n", loaded ? "true" : "false");
  return loaded ? 0 : 1;
}

int switchHighContrast(HWND main, bool on) {
  wchar_t name[64];
  std::swprintf(name, 64, L"Local\\KESTRANE_high_contrast_switch_%lu", processOf(main));
  HANDLE memory = OpenFileMappingW(FILE_MAP_WRITE, FALSE, name);
  auto* setting = memory ? static_cast<volatile LONG*>(MapViewOfFile(memory, FILE_MAP_WRITE, 0, 0, sizeof(LONG)))
                         : nullptr;
  bool told = false;
  if (setting) {
    InterlockedExchange(const_cast<LONG*>(setting), on ? 1 : 0);
    UnmapViewOfFile(const_cast<LONG*>(setting));
    // As SystemParametersInfo(SPI_SETHIGHCONTRAST, ..., SPIF_SENDCHANGE)
    // tells every top-level window (Microsoft's WM_SETTINGCHANGE page).
    DWORD_PTR answer = 0;
    told = SendMessageTimeoutW(HWND_BROADCAST, WM_SETTINGCHANGE, SPI_SETHIGHCONTRAST, 0, SMTO_ABORTIFHUNG, 10000,
                               &answer) != 0;
  }
  if (memory) CloseHandle(memory);
  std::printf("{\"switched\": %s}\n", told ? "true" : "false");
  return told ? 0 : 1;
}

int setSystemColours(int pairs, wchar_t** numbers) {
  std::vector<int> elements;
  std::vector<COLORREF> colours;
  for (int i = 0; i < pairs; ++i) {
    elements.push_back(_wtoi(numbers[2 * i]));
    colours.push_back(static_cast<COLORREF>(_wcstoui64(numbers[2 * i + 1], nullptr, 10)));
  }
  const bool set = elements.empty() || SetSysColors(pairs, elements.data(), colours.data());
  std::string list;
  for (int element = 0; element <= COLOR_MENUBAR; ++element) {
    list += (element ? ", " : "") + std::to_string(GetSysColor(element));
  }
  std::printf("{\"set\": %s, \"colours\": [%s]}\n", set ? "true" : "false", list.c_str());
  return set ? 0 : 1;
}
