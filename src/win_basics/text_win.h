#pragma once

#include <string>

#include "win32.h"

namespace kestrane {

// Texts are UTF-8 in the model and UTF-16 at the platform's wide calls.
std::wstring toWide(const std::string& text);
std::string toUtf8(const std::wstring& text);
// The system's 8-bit code page, for the calls that take 8-bit strings.
std::string toAnsi(const std::string& text);

// A window's text, read with WM_GETTEXT.
std::wstring windowText(HWND window);

}  // namespace kestrane
