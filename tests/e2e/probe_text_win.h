#pragma once

// What the probe's commands share: JSON texts, a window's text read with a
// time-out, the main window, and an element's name from its control id.

#include <windows.h>

#include <optional>
#include <string>

#include "json_text_win.h"

// [left, top, width, height]
std::string rect(const RECT& r);
// The window's text, or nothing when it did not answer in time.
std::optional<std::wstring> textOf(HWND window, UINT timeoutMs = 2000);
// A text that cannot be read is printed as null, never as an empty text.
std::string jsonOrNull(const std::optional<std::wstring>& text);
// The main window; once shown, unless any will do (it is created hidden and
// shown after it has been placed). Null when none came within timeoutMs.
HWND findMain(DWORD timeoutMs, bool shown = true);
// The element's name for one of the main window's controls, "?" for the
// children that are no element.
std::string elementName(HWND control);
HWND controlNamed(HWND main, const char* name);
unsigned long long handle(HWND window);
