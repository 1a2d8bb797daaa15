#include "one_countdown_per_folder_win.h"

#include <cwchar>
#include <string>

namespace kestrane {

namespace {

// The current folder, long-named and upper-cased the way the file system
// compares names, so that every spelling of one folder gives one text.
std::wstring currentFolderFolded() {
  std::wstring folder(GetCurrentDirectoryW(0, nullptr), L'\0');
  folder.resize(GetCurrentDirectoryW(static_cast<DWORD>(folder.size()), folder.data()));
  std::wstring longName(GetLongPathNameW(folder.c_str(), nullptr, 0), L'\0');
  if (!longName.empty()) {
    longName.resize(GetLongPathNameW(folder.c_str(), longName.data(), static_cast<DWORD>(longName.size())));
    if (!longName.empty()) folder = longName;
  }
  if (folder.size() > 3 && folder.back() == L'\\') folder.pop_back();
  std::wstring folded(folder.size(), L'\0');
  const int length = LCMapStringEx(LOCALE_NAME_INVARIANT, LCMAP_UPPERCASE, folder.c_str(),
                                   static_cast<int>(folder.size()), folded.data(), static_cast<int>(folded.size()),
                                   nullptr, nullptr, 0);
  if (length <= 0) return folder;
  folded.resize(static_cast<std::size_t>(length));
  return folded;
}

// Two independent 64-bit FNV-1a hashes of the text: an object's name may
// hold no backslash and at most MAX_PATH characters, a folder's path both.
unsigned long long fnv1a(const std::wstring& text, unsigned long long hash) {
  for (wchar_t unit : text) {
    hash ^= static_cast<unsigned short>(unit);
    hash *= 0x100000001b3ULL;
  }
  return hash;
}

std::wstring objectName(const std::wstring& folder) {
  wchar_t name[96];
  std::swprintf(name, 96, L"Local\\KESTRANE countdown %016llx%016llx", fnv1a(folder, 0xcbf29ce484222325ULL),
                fnv1a(folder, 0x84222325cbf29ce4ULL));
  return name;
}

// The running countdown's window, once it has published it; it may still
// be starting.
HWND runningWindow(volatile LONG64* published) {
  constexpr DWORD patience = 1500;  // ms
  const ULONGLONG until = GetTickCount64() + patience;
  for (;;) {
    HWND window = reinterpret_cast<HWND>(static_cast<INT_PTR>(InterlockedCompareExchange64(published, 0, 0)));
    if (window || GetTickCount64() >= until) return window;
    Sleep(20);
  }
}

}  // namespace

OneCountdownPerFolder::~OneCountdownPerFolder() {
  if (published_) UnmapViewOfFile(const_cast<LONG64*>(published_));
  if (mapping_) CloseHandle(mapping_);
}

bool OneCountdownPerFolder::claim() {
  const std::wstring name = objectName(currentFolderFolded());
  mapping_ = CreateFileMappingW(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, sizeof(LONG64), name.c_str());
  const bool another = mapping_ && GetLastError() == ERROR_ALREADY_EXISTS;
  if (!mapping_) return true;  // no way to tell: count down, as before there was a check
  published_ = static_cast<volatile LONG64*>(MapViewOfFile(mapping_, FILE_MAP_READ | FILE_MAP_WRITE, 0, 0, 0));
  if (!another || !published_) return true;

  HWND window = runningWindow(published_);
  if (!window || !IsWindow(window)) return true;  // that countdown has ended: this one starts
  if (IsIconic(window)) ShowWindowAsync(window, SW_RESTORE);
  SetForegroundWindow(window);
  return false;
}

void OneCountdownPerFolder::publish(HWND window) {
  if (published_) {
    InterlockedExchange64(published_, static_cast<LONG64>(reinterpret_cast<INT_PTR>(window)));
  }
}

}  // namespace kestrane
