#include "com_on_demand_win.h"

#include "system_libraries_win.h"

namespace kestrane {
namespace com {

namespace {

using CoInitializeExFunction = HRESULT(WINAPI*)(void*, DWORD);
using CoCreateInstanceFunction = HRESULT(WINAPI*)(REFCLSID, IUnknown*, DWORD, REFIID, void**);
using CoUninitializeFunction = void(WINAPI*)();

enum class State { NotTried, Started, Unavailable };

State state = State::NotTried;
HMODULE ole32 = nullptr;
CoCreateInstanceFunction coCreateInstance = nullptr;
CoUninitializeFunction coUninitialize = nullptr;

}  // namespace

bool start() {
  if (state != State::NotTried) return state == State::Started;
  state = State::Unavailable;
  ole32 = loadSystemLibrary(L"ole32.dll");
  if (!ole32) return false;
  auto coInitializeEx = functionOf<CoInitializeExFunction>(ole32, "CoInitializeEx");
  coCreateInstance = functionOf<CoCreateInstanceFunction>(ole32, "CoCreateInstance");
  coUninitialize = functionOf<CoUninitializeFunction>(ole32, "CoUninitialize");
  // S_FALSE (already started on this thread) also needs its CoUninitialize.
  if (coInitializeEx && coCreateInstance && coUninitialize &&
      SUCCEEDED(coInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE))) {
    state = State::Started;
    return true;
  }
  return false;
}

HRESULT createInstance(REFCLSID classId, REFIID interfaceId, void** object) {
  *object = nullptr;
  if (!start()) return CO_E_NOTINITIALIZED;
  return coCreateInstance(classId, nullptr, CLSCTX_INPROC_SERVER, interfaceId, object);
}

void stop() {
  if (state == State::Started) coUninitialize();
  state = State::NotTried;
}

}  // namespace com
}  // namespace kestrane
