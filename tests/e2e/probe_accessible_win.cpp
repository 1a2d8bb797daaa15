// The probe as an accessibility client, as a screen reader is one: what
// each control says it is, and the events a screen reader listens for.

#include "probe_accessible_win.h"

#include <oleacc.h>

#include <cstdio>
#include <string>

#include "probe_text_win.h"

namespace {

// The interface's id, spelled here: the static library's symbol cannot be
// linked into a static program.
const IID accessibleInterface = {0x618736e0, 0x3c3d, 0x11cf, {0x81, 0x0c, 0x00, 0xaa, 0x00, 0x38, 0x9b, 0x71}};

#ifndef EVENT_OBJECT_LIVEREGIONCHANGED
#define EVENT_OBJECT_LIVEREGIONCHANGED 0x8019
#endif

// A text the client reads, or null when the object has none to give.
std::string readBstr(HRESULT result, BSTR text) {
  if (result != S_OK || !text) {
    if (text) SysFreeString(text);
    return "null";
  }
  std::string out = json(std::wstring(text, SysStringLen(text)));
  SysFreeString(text);
  return out;
}

std::string describeAccessible(IAccessible* object, VARIANT child) {
  BSTR name = nullptr, value = nullptr;
  VARIANT role{}, state{};
  const HRESULT named = object->get_accName(child, &name);
  const std::string nameText = readBstr(named, name);
  const HRESULT valued = object->get_accValue(child, &value);
  const std::string valueText = readBstr(valued, value);
  const long roleNumber = SUCCEEDED(object->get_accRole(child, &role)) && role.vt == VT_I4 ? role.lVal : -1;
  const long stateBits = SUCCEEDED(object->get_accState(child, &state)) && state.vt == VT_I4 ? state.lVal : -1;
  VariantClear(&role);
  VariantClear(&state);
  char numbers[80];
  std::snprintf(numbers, sizeof numbers, "\"role\": %ld, \"state\": %ld", roleNumber, stateBits);
  return "\"accName\": " + nameText + ", \"accValue\": " + valueText + ", " + numbers;
}

}  // namespace

int printAccessible() {
  CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  HWND main = findMain(5000);
  if (!main) return 2;
  std::printf("{\"controls\": [\n");
  bool first = true;
  for (HWND child = GetWindow(main, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    wchar_t className[64] = {};
    GetClassNameW(child, className, 64);
    IAccessible* object = nullptr;
    std::string described = "\"accName\": null, \"accValue\": null, \"role\": -1, \"state\": -1";
    if (SUCCEEDED(AccessibleObjectFromWindow(child, static_cast<DWORD>(OBJID_CLIENT), accessibleInterface,
                                             reinterpret_cast<void**>(&object))) && object) {
      VARIANT self{};
      self.vt = VT_I4;
      self.lVal = CHILDID_SELF;
      described = describeAccessible(object, self);
      object->Release();
    }
    std::printf("%s  {\"name\": \"%s\", \"class\": %s, \"visible\": %s, %s}", first ? "" : ",\n",
                elementName(child).c_str(), json(className).c_str(), IsWindowVisible(child) ? "true" : "false",
                described.c_str());
    first = false;
  }
  std::printf("\n]}\n");
  return 0;
}

namespace {

DWORD eventsStart = 0;
HWND eventsMain = nullptr;

bool inKestraneWindow(HWND window) {
  HWND root = window ? GetAncestor(window, GA_ROOT) : nullptr;
  wchar_t className[64] = {};
  return root && GetClassNameW(root, className, 64) && std::wstring(className) == L"KESTRANE_Main";
}

void CALLBACK onWinEvent(HWINEVENTHOOK, DWORD event, HWND window, LONG objectId, LONG childId, DWORD, DWORD) {
  const char* kind = event == EVENT_OBJECT_LIVEREGIONCHANGED ? "live"
                     : event == EVENT_OBJECT_NAMECHANGE       ? "name"
                     : event == EVENT_OBJECT_VALUECHANGE      ? "value"
                     : event == EVENT_OBJECT_SHOW             ? "show"
                                                              : nullptr;
  if (!kind || !inKestraneWindow(window)) return;
  const bool isMain = GetAncestor(window, GA_ROOT) == window;
  if (event == EVENT_OBJECT_SHOW && (!isMain || objectId != OBJID_WINDOW)) return;
  std::string described = "\"accName\": null";
  IAccessible* object = nullptr;
  VARIANT child{};
  if (SUCCEEDED(AccessibleObjectFromEvent(window, static_cast<DWORD>(objectId), static_cast<DWORD>(childId),
                                          &object, &child)) && object) {
    BSTR name = nullptr;
    const HRESULT named = object->get_accName(child, &name);
    described = "\"accName\": " + readBstr(named, name);
    object->Release();
    VariantClear(&child);
  }
  wchar_t className[64] = {};
  GetClassNameW(window, className, 64);
  std::printf("{\"t\": %lu, \"event\": \"%s\", \"element\": \"%s\", \"class\": %s, \"object\": %ld, %s}\n",
              GetTickCount() - eventsStart, kind, isMain ? "KESTRANE_Main" : elementName(window).c_str(),
              json(className).c_str(), objectId, described.c_str());
  std::fflush(stdout);
}

}  // namespace

int printEvents(DWORD timeoutMs) {
  CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  eventsStart = GetTickCount();
  HWINEVENTHOOK hook = SetWinEventHook(EVENT_OBJECT_SHOW, EVENT_OBJECT_LIVEREGIONCHANGED, nullptr, onWinEvent, 0,
                                       0, WINEVENT_OUTOFCONTEXT | WINEVENT_SKIPOWNPROCESS);
  if (!hook) return 1;
  std::printf("{\"ready\": true}\n");
  std::fflush(stdout);
  SetTimer(nullptr, 0, 15, nullptr);
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    if (message.message == WM_TIMER) {
      if (!eventsMain) {  // the moment the window is on the screen, for timing what follows
        HWND shown = findMain(0);
        if (shown) {
          eventsMain = shown;
          std::printf("{\"t\": %lu, \"event\": \"shown\"}\n", GetTickCount() - eventsStart);
          std::fflush(stdout);
        }
      }
      const bool gone = eventsMain && !IsWindow(eventsMain);
      if (gone || GetTickCount() - eventsStart >= timeoutMs) break;
    }
    DispatchMessageW(&message);
  }
  UnhookWinEvent(hook);
  std::printf("{\"t\": %lu, \"gone\": %s}\n", GetTickCount() - eventsStart,
              eventsMain && !IsWindow(eventsMain) ? "true" : "false");
  return 0;
}

