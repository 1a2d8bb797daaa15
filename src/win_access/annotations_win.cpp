#include "annotations_win.h"

#include <objbase.h>
#include <oleacc.h>

#include "com_on_demand_win.h"

namespace kestrane::annotations {

namespace {

// The service and property identifiers, spelled out here so that the
// program needs no import library for them.
constexpr GUID accPropServicesClass = {0xb5f8350b, 0x0548, 0x48b1, {0xa6, 0xee, 0x88, 0xbd, 0x00, 0xb4, 0xa5, 0xe7}};
constexpr GUID accPropServicesInterface = {0x6e26e776, 0x04f0, 0x495d, {0x80, 0xe4, 0x33, 0x30, 0x35, 0x2e, 0x31, 0x69}};
constexpr GUID nameProperty = {0x608d3df8, 0x8128, 0x4aa7, {0xa4, 0x28, 0xf5, 0x5e, 0x49, 0x26, 0x72, 0x91}};
constexpr GUID valueProperty = {0x123fe443, 0x211a, 0x4615, {0x95, 0x27, 0xc4, 0x5a, 0x7e, 0x93, 0x71, 0x7a}};
constexpr GUID liveSettingProperty = {0xc12bcd8e, 0x2a8e, 0x4950, {0x8a, 0xe7, 0x36, 0x25, 0x11, 0x1d, 0x58, 0xeb}};
constexpr LONG assertive = 2;

// Runs use(services) on the annotation service; false when it is missing
// or refuses.
template <class Use>
bool withServices(Use use) {
  IAccPropServices* services = nullptr;
  if (FAILED(com::createInstance(accPropServicesClass, accPropServicesInterface,
                                 reinterpret_cast<void**>(&services))) ||
      !services) {
    return false;
  }
  const HRESULT result = use(*services);
  services->Release();
  return SUCCEEDED(result);
}

}  // namespace

bool makeAssertiveLiveRegion(HWND control) {
  return withServices([control](IAccPropServices& services) {
    VARIANT setting{};  // VT_EMPTY until filled in
    setting.vt = VT_I4;
    setting.lVal = assertive;
    return services.SetHwndProp(control, static_cast<DWORD>(OBJID_CLIENT), CHILDID_SELF, liveSettingProperty,
                                setting);
  });
}

bool setName(HWND control, const std::wstring& name) {
  return withServices([control, &name](IAccPropServices& services) {
    return services.SetHwndPropStr(control, static_cast<DWORD>(OBJID_CLIENT), CHILDID_SELF, nameProperty,
                                   name.c_str());
  });
}

bool setValue(HWND control, const std::wstring& value) {
  return withServices([control, &value](IAccPropServices& services) {
    return services.SetHwndPropStr(control, static_cast<DWORD>(OBJID_CLIENT), CHILDID_SELF, valueProperty,
                                   value.c_str());
  });
}

bool clearValue(HWND control) {
  return withServices([control](IAccPropServices& services) {
    return services.ClearHwndProps(control, static_cast<DWORD>(OBJID_CLIENT), CHILDID_SELF, &valueProperty, 1);
  });
}

bool clearAll(HWND control) {
  static const GUID everyProperty[] = {nameProperty, valueProperty, liveSettingProperty};
  return withServices([control](IAccPropServices& services) {
    return services.ClearHwndProps(control, static_cast<DWORD>(OBJID_CLIENT), CHILDID_SELF, everyProperty,
                                   static_cast<int>(sizeof everyProperty / sizeof everyProperty[0]));
  });
}

}  // namespace kestrane::annotations
