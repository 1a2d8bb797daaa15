#include "com_on_demand_win.h"

#include "system_libraries_win.h"

namespace kestrane {

ComApartment::ComApartment() {
  using CoInitializeExFunction = HRESULT(WINAPI*)(void*, DWORD);
  using CoUninitializeFunction = void(WINAPI*)();
  HMODULE ole32 = loadSystemLibrary(L"ole32.dll");
  const auto coInitializeEx = functionOf<CoInitializeExFunction>(ole32, "CoInitializeEx");
  const auto coUninitialize = functionOf<CoUninitializeFunction>(ole32, "CoUninitialize");
  // S_FALSE (already started on this thread) also needs its CoUninitialize.
  if (coInitializeEx && coUninitialize &&
      SUCCEEDED(coInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE))) {
    uninitialize_ = coUninitialize;
  }
}

ComApartment::~ComApartment() {
  if (uninitialize_) uninitialize_();
}

namespace com {

namespace {

using CoCreateInstanceFunction = HRESULT(WINAPI*)(REFCLSID, IUnknown*, DWORD, REFIID, void**);

bool tried = false;
ComApartment* apartment = nullptr;  // while COM is started here
CoCreateInstanceFunction coCreateInstance = nullptr;

}  // namespace

bool start() {
  if (tried) return apartment != nullptr;
  tried = true;
  coCreateInstance = functionOf<CoCreateInstanceFunction>(loadSystemLibrary(L"ole32.dll"), "CoCreateInstance");
  if (!coCreateInstance) return false;
  apartment = new ComApartment;
  if (!apartment->started()) {
    delete apartment;
    apartment = nullptr;
  }
  return apartment != nullptr;
}

HRESULT createInstance(REFCLSID classId, REFIID interfaceId, void** object) {
  *object = nullptr;
  if (!start()) return CO_E_NOTINITIALIZED;
  return coCreateInstance(classId, nullptr, CLSCTX_INPROC_SERVER, interfaceId, object);
}

void stop() {
  delete apartment;
  apartment = nullptr;
  tried = false;
}

}  // namespace com
}  // namespace kestrane
