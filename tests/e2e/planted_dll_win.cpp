// A DLL that stands in for one someone might leave beside the program: when
// any process loads it, it writes a marker file beside itself, named after
// the DLL and that process, and then does nothing more.

#include <windows.h>

namespace {

// The file part of a path.
const wchar_t* fileName(const wchar_t* path) {
  const wchar_t* name = path;
  for (const wchar_t* c = path; *c; ++c) {
    if (*c == L'\\' || *c == L'/') name = c + 1;
  }
  return name;
}

void leaveMarker(HINSTANCE self) {
  wchar_t dll[MAX_PATH], process[MAX_PATH], marker[3 * MAX_PATH];
  if (!GetModuleFileNameW(self, dll, MAX_PATH) || !GetModuleFileNameW(nullptr, process, MAX_PATH)) return;
  wsprintfW(marker, L"%s.loaded-by-%s", dll, fileName(process));
  HANDLE file = CreateFileW(marker, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
}

}  // namespace

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
  if (reason == DLL_PROCESS_ATTACH) leaveMarker(instance);
  return TRUE;
}
