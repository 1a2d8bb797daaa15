#pragma once

#include <string>

#include "win32.h"

namespace kestrane {

// Accessibility properties added to a control's standard ones through the
// platform's annotation service. Each call reports whether the system took
// it; older systems (and some compatibility layers) refuse, and the control
// then keeps its standard properties.
namespace annotations {

// Screen readers speak the control's name whenever the program reports a
// live-region change on it, interrupting what they were saying.
bool makeAssertiveLiveRegion(HWND control);

// The value a screen reader reads for the control, in place of its text.
bool setValue(HWND control, const std::wstring& value);
// Back to the control's own value.
bool clearValue(HWND control);

}  // namespace annotations

}  // namespace kestrane
