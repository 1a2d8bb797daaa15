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

// The name every screen reader reads for the control, through either of
// the platform's accessibility interfaces.
bool setName(HWND control, const std::wstring& name);

// The value a screen reader reads for the control, in place of its text.
bool setValue(HWND control, const std::wstring& value);
// Back to the control's own value.
bool clearValue(HWND control);

// Takes back every property this program annotates the control with. For
// a control that is being destroyed: the service would otherwise keep them.
bool clearAll(HWND control);

}  // namespace annotations

}  // namespace kestrane
