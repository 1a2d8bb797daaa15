#include "one_countdown_per_folder_win.h"

#include <cwchar>
#include <string>

#include <sddl.h>

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

// The user's own SID as text, from LocalAlloc; null when it cannot be had.
wchar_t* userSid() {
  HANDLE token = nullptr;
  if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token)) return nullptr;
  alignas(TOKEN_USER) unsigned char user[sizeof(TOKEN_USER) + SECURITY_MAX_SID_SIZE];
  DWORD size = 0;
  wchar_t* text = nullptr;
  if (GetTokenInformation(token, TokenUser, user, sizeof user, &size)) {
    ConvertSidToStringSidW(reinterpret_cast<TOKEN_USER*>(user)->User.Sid, &text);
  }
  CloseHandle(token);
  return text;
}

// Who may open the claim: the user, from ordinary and elevated programs
// alike, and the system; labelled medium, so that a first start "as
// administrator" does not shut out the user's ordinary ones, as its
// default security (an administrator's, at high integrity) would. Null,
// for the default, when it cannot be made.
class ClaimSecurity {
 public:
  ClaimSecurity() {
    wchar_t* sid = userSid();
    if (!sid) return;
    wchar_t text[256];
    const int length = std::swprintf(text, 256, L"D:P(A;;GA;;;%ls)(A;;GA;;;SY)S:(ML;;NW;;;ME)", sid);
    LocalFree(sid);
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    if (length > 0 &&
        ConvertStringSecurityDescriptorToSecurityDescriptorW(text, SDDL_REVISION_1, &descriptor, nullptr)) {
      attributes_.lpSecurityDescriptor = descriptor;
    }
  }
  ~ClaimSecurity() {
    if (attributes_.lpSecurityDescriptor) LocalFree(attributes_.lpSecurityDescriptor);
  }
  ClaimSecurity(const ClaimSecurity&) = delete;
  ClaimSecurity& operator=(const ClaimSecurity&) = delete;

  SECURITY_ATTRIBUTES* attributes() { return attributes_.lpSecurityDescriptor ? &attributes_ : nullptr; }

 private:
  SECURITY_ATTRIBUTES attributes_{sizeof(SECURITY_ATTRIBUTES), nullptr, FALSE};
};

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
  ClaimSecurity security;
  mapping_ = CreateFileMappingW(INVALID_HANDLE_VALUE, security.attributes(), PAGE_READWRITE, 0, sizeof(LONG64),
                                name.c_str());
  const DWORD error = GetLastError();
  // Refused: the claim is there, made by a start this one may not reach
  // (an elevated one that claimed with the default security, say), so a
  // countdown for this folder runs.
  if (!mapping_ && error == ERROR_ACCESS_DENIED) return false;
  if (!mapping_) return true;  // no way to tell: count down, as before there was a check
  const bool another = error == ERROR_ALREADY_EXISTS;
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
