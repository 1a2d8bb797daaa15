// A stand-in for the system's annotation service (IAccPropServices), for
// the end-to-end tests only: Wine's own refuses every annotation, so the
// program's names, values and live setting would otherwise never be
// applied anywhere before a user's screen reader meets them.
//
// Registered for the service's class in the test prefix. It answers as
// Microsoft documents the service: S_OK, or E_INVALIDARG for a property it
// does not support. It keeps nothing; it writes each call as a line of JSON
// to the file named by KESTRANE_ANNOTATION_LOG, with the window, object and
// child ids, the properties, the value and its type, and whether the window
// was still there and what it said at that moment. With
// KESTRANE_ANNOTATION_REFUSE set it refuses every call with E_FAIL, as a
// service in trouble would.

#include <windows.h>
#include <oleacc.h>

#include <cstdio>
#include <string>

#include "json_text_win.h"

namespace {

constexpr GUID serviceClass = {0xb5f8350b, 0x0548, 0x48b1, {0xa6, 0xee, 0x88, 0xbd, 0x00, 0xb4, 0xa5, 0xe7}};
constexpr GUID serviceInterface = {0x6e26e776, 0x04f0, 0x495d, {0x80, 0xe4, 0x33, 0x30, 0x35, 0x2e, 0x31, 0x69}};

struct KnownProperty {
  GUID id;
  const char* name;
};

// The properties the program annotates, and the others the service accepts.
constexpr KnownProperty knownProperties[] = {
    {{0x608d3df8, 0x8128, 0x4aa7, {0xa4, 0x28, 0xf5, 0x5e, 0x49, 0x26, 0x72, 0x91}}, "Name"},
    {{0x123fe443, 0x211a, 0x4615, {0x95, 0x27, 0xc4, 0x5a, 0x7e, 0x93, 0x71, 0x7a}}, "Value"},
    {{0xc12bcd8e, 0x2a8e, 0x4950, {0x8a, 0xe7, 0x36, 0x25, 0x11, 0x1d, 0x58, 0xeb}}, "LiveSetting"},
    {{0x4d48dfe4, 0xbd3f, 0x491f, {0xa6, 0x48, 0x49, 0x2d, 0x6f, 0x20, 0xc5, 0x88}}, "Description"},
    {{0xcb905ff2, 0x7bd1, 0x4c05, {0xb3, 0xc8, 0xe6, 0xc2, 0x41, 0x36, 0x4d, 0x70}}, "Role"},
    {{0xa8d4d5b0, 0x0a21, 0x42d0, {0xa5, 0xc0, 0x51, 0x4e, 0x98, 0x4f, 0x45, 0x7b}}, "State"},
};

const char* propertyName(const GUID& id) {
  for (const KnownProperty& known : knownProperties) {
    if (IsEqualGUID(known.id, id)) return known.name;
  }
  return nullptr;
}

bool refusing() { return GetEnvironmentVariableW(L"KESTRANE_ANNOTATION_REFUSE", nullptr, 0) != 0; }

// One call as a line of the log, with the window as it is at that moment.
void record(const char* call, HWND window, DWORD object, DWORD child, const std::string& details) {
  wchar_t path[MAX_PATH];
  const DWORD length = GetEnvironmentVariableW(L"KESTRANE_ANNOTATION_LOG", path, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return;
  wchar_t text[256] = L"";
  const bool alive = IsWindow(window);
  if (alive) GetWindowTextW(window, text, 256);
  char head[256];
  std::snprintf(head, sizeof head,
                "{\"call\": \"%s\", \"window\": %llu, \"object\": %ld, \"child\": %ld, \"alive\": %s, \"text\": ",
                call, static_cast<unsigned long long>(reinterpret_cast<UINT_PTR>(window)),
                static_cast<long>(object), static_cast<long>(child), alive ? "true" : "false");
  const std::string line = head + json(text) + ", " + details + "}\n";
  HANDLE file = CreateFileW(path, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return;
  DWORD written = 0;
  WriteFile(file, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
  CloseHandle(file);
}

std::string propertyJson(const GUID& id) {
  const char* name = propertyName(id);
  return name ? std::string("\"") + name + "\"" : std::string("\"unknown\"");
}

class AnnotationService final : public IAccPropServices {
 public:
  // IUnknown
  HRESULT WINAPI QueryInterface(REFIID interfaceId, void** object) override {
    if (!object) return E_POINTER;
    if (IsEqualIID(interfaceId, IID_IUnknown) || IsEqualIID(interfaceId, serviceInterface)) {
      *object = static_cast<IAccPropServices*>(this);
      AddRef();
      return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
  }
  ULONG WINAPI AddRef() override { return InterlockedIncrement(&references_); }
  ULONG WINAPI Release() override {
    const LONG left = InterlockedDecrement(&references_);
    if (left == 0) delete this;
    return static_cast<ULONG>(left);
  }

  // The window-based annotations, which the program uses.
  HRESULT WINAPI SetHwndProp(HWND window, DWORD object, DWORD child, MSAAPROPID property, VARIANT value) override {
    const std::string shown = value.vt == VT_I4 ? std::to_string(value.lVal) : std::string("null");
    record("SetHwndProp", window, object, child,
           "\"properties\": [" + propertyJson(property) + "], \"type\": " + std::to_string(value.vt) +
               ", \"value\": " + shown);
    return answer(propertyName(property) != nullptr);
  }
  HRESULT WINAPI SetHwndPropStr(HWND window, DWORD object, DWORD child, MSAAPROPID property,
                                LPCWSTR text) override {
    record("SetHwndPropStr", window, object, child,
           "\"properties\": [" + propertyJson(property) + "], \"type\": " + std::to_string(VT_BSTR) +
               ", \"value\": " + (text ? json(text) : std::string("null")));
    return answer(text && propertyName(property) != nullptr);
  }
  HRESULT WINAPI ClearHwndProps(HWND window, DWORD object, DWORD child, const MSAAPROPID* properties,
                                int count) override {
    std::string listed;
    bool known = properties && count > 0;
    for (int index = 0; known && index < count; ++index) {
      listed += (index ? ", " : "") + propertyJson(properties[index]);
      known = propertyName(properties[index]) != nullptr;
    }
    record("ClearHwndProps", window, object, child, "\"properties\": [" + listed + "]");
    return answer(known);
  }
  HRESULT WINAPI SetHwndPropServer(HWND window, DWORD object, DWORD child, const MSAAPROPID*, int,
                                   IAccPropServer*, AnnoScope) override {
    record("SetHwndPropServer", window, object, child, "\"properties\": []");
    return E_NOTIMPL;
  }

  // Identity strings and menus: the program uses none of them.
  HRESULT WINAPI SetPropValue(const BYTE*, DWORD, MSAAPROPID, VARIANT) override { return E_NOTIMPL; }
  HRESULT WINAPI SetPropServer(const BYTE*, DWORD, const MSAAPROPID*, int, IAccPropServer*, AnnoScope) override {
    return E_NOTIMPL;
  }
  HRESULT WINAPI ClearProps(const BYTE*, DWORD, const MSAAPROPID*, int) override { return E_NOTIMPL; }
  HRESULT WINAPI ComposeHwndIdentityString(HWND, DWORD, DWORD, BYTE**, DWORD*) override { return E_NOTIMPL; }
  HRESULT WINAPI DecomposeHwndIdentityString(const BYTE*, DWORD, HWND*, DWORD*, DWORD*) override {
    return E_NOTIMPL;
  }
  HRESULT WINAPI SetHmenuProp(HMENU, DWORD, MSAAPROPID, VARIANT) override { return E_NOTIMPL; }
  HRESULT WINAPI SetHmenuPropStr(HMENU, DWORD, MSAAPROPID, LPCWSTR) override { return E_NOTIMPL; }
  HRESULT WINAPI SetHmenuPropServer(HMENU, DWORD, const MSAAPROPID*, int, IAccPropServer*, AnnoScope) override {
    return E_NOTIMPL;
  }
  HRESULT WINAPI ClearHmenuProps(HMENU, DWORD, const MSAAPROPID*, int) override { return E_NOTIMPL; }
  HRESULT WINAPI ComposeHmenuIdentityString(HMENU, DWORD, BYTE**, DWORD*) override { return E_NOTIMPL; }
  HRESULT WINAPI DecomposeHmenuIdentityString(const BYTE*, DWORD, HMENU*, DWORD*) override { return E_NOTIMPL; }

 private:
  static HRESULT answer(bool supported) {
    if (refusing()) return E_FAIL;
    return supported ? S_OK : E_INVALIDARG;
  }

  LONG references_ = 1;
};

class ServiceFactory final : public IClassFactory {
 public:
  HRESULT WINAPI QueryInterface(REFIID interfaceId, void** object) override {
    if (!object) return E_POINTER;
    if (IsEqualIID(interfaceId, IID_IUnknown) || IsEqualIID(interfaceId, IID_IClassFactory)) {
      *object = static_cast<IClassFactory*>(this);
      return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
  }
  ULONG WINAPI AddRef() override { return 2; }  // a static object
  ULONG WINAPI Release() override { return 1; }
  HRESULT WINAPI CreateInstance(IUnknown* outer, REFIID interfaceId, void** object) override {
    if (!object) return E_POINTER;
    *object = nullptr;
    if (outer) return CLASS_E_NOAGGREGATION;
    auto* service = new AnnotationService;
    const HRESULT result = service->QueryInterface(interfaceId, object);
    service->Release();
    return result;
  }
  HRESULT WINAPI LockServer(BOOL) override { return S_OK; }
};

ServiceFactory factory;

}  // namespace

extern "C" __declspec(dllexport) HRESULT WINAPI DllGetClassObject(REFCLSID classId, REFIID interfaceId,
                                                                   void** object) {
  if (!object) return E_POINTER;
  *object = nullptr;
  if (!IsEqualCLSID(classId, serviceClass)) return CLASS_E_CLASSNOTAVAILABLE;
  return factory.QueryInterface(interfaceId, object);
}

extern "C" __declspec(dllexport) HRESULT WINAPI DllCanUnloadNow() { return S_FALSE; }
