#include "probe_text_win.h"

#include <cstdio>

#include "control_ids.h"
#include "element_table.h"

std::string rect(const RECT& r) {
  char text[96];
  std::snprintf(text, sizeof text, "[%ld, %ld, %ld, %ld]", r.left, r.top, r.right - r.left, r.bottom - r.top);
  return text;
}

std::optional<std::wstring> textOf(HWND window, UINT timeoutMs) {
  wchar_t text[512] = {};
  DWORD_PTR copied = 0;
  if (!window || !SendMessageTimeoutW(window, WM_GETTEXT, 512, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG,
                                      timeoutMs, &copied)) {
    return std::nullopt;
  }
  return std::wstring(text, copied < 512 ? copied : 511);
}

std::string jsonOrNull(const std::optional<std::wstring>& text) { return text ? json(*text) : "null"; }

HWND findMain(DWORD timeoutMs, bool shown) {
  const DWORD start = GetTickCount();
  for (;;) {
    HWND found = FindWindowW(L"KESTRANE_Main", nullptr);
    if (found && (!shown || IsWindowVisible(found))) return found;
    if (GetTickCount() - start >= timeoutMs) return nullptr;
    Sleep(50);
  }
}

std::string elementName(HWND control) {
  const int id = GetDlgCtrlID(control) - kestrane::firstControlId;
  const int count = static_cast<int>(sizeof kestrane::elementTable / sizeof kestrane::elementTable[0]);
  return id >= 0 && id < count ? kestrane::elementTable[id].name : "?";
}

HWND controlNamed(HWND main, const char* name) {
  int id = 0;
  for (const auto& element : kestrane::elementTable) {
    if (std::string(element.name) == name) return GetDlgItem(main, kestrane::firstControlId + id);
    ++id;
  }
  return nullptr;
}

unsigned long long handle(HWND window) { return reinterpret_cast<unsigned long long>(window); }
