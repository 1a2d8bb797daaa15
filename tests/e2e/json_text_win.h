#pragma once

// A text as a JSON string, everything outside printable ASCII escaped: what
// the probe prints and what the annotation stand-in writes down.

#include <string>

std::string json(const std::wstring& text);
