#include "settings_store_win.h"

#include <vector>

#include "runtime_error.h"
#include "text_win.h"

namespace kestrane {

namespace {

std::wstring sectionPath(const std::string& application, const std::string& section) {
  return L"Software\\" + toWide(application) + L"\\" + toWide(section);
}

}  // namespace

std::string RegistrySettings::read(const std::string& application, const std::string& section,
                                   const std::string& key, const std::string& defaultText) {
  const std::wstring path = sectionPath(application, section);
  const std::wstring name = toWide(key);
  // The stored string may lack its terminating null: read into a buffer with
  // room for one more and terminate it here. A value of another type is no
  // text and reads as absent.
  DWORD bytes = 0;
  LSTATUS status = RegGetValueW(HKEY_CURRENT_USER, path.c_str(), name.c_str(), RRF_RT_REG_SZ, nullptr,
                                nullptr, &bytes);
  std::vector<wchar_t> buffer;
  while (status == ERROR_SUCCESS || status == ERROR_MORE_DATA) {
    buffer.assign(bytes / sizeof(wchar_t) + 2, L'\0');
    bytes = static_cast<DWORD>((buffer.size() - 1) * sizeof(wchar_t));
    status = RegGetValueW(HKEY_CURRENT_USER, path.c_str(), name.c_str(), RRF_RT_REG_SZ, nullptr,
                          buffer.data(), &bytes);
    if (status == ERROR_SUCCESS) {
      std::wstring text(buffer.data(), bytes / sizeof(wchar_t));
      text.resize(text.find(L'\0') == std::wstring::npos ? text.size() : text.find(L'\0'));
      return toUtf8(text);
    }
  }
  return defaultText;
}

void RegistrySettings::save(const std::string& application, const std::string& section, const std::string& key,
                            const std::string& text) {
  const std::wstring path = sectionPath(application, section);
  const std::wstring value = toWide(text);
  HKEY sectionKey = nullptr;
  LSTATUS status = RegCreateKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr,
                                   &sectionKey, nullptr);
  if (status == ERROR_SUCCESS) {
    // The size counts the terminating null.
    status = RegSetValueExW(sectionKey, toWide(key).c_str(), 0, REG_SZ,
                            reinterpret_cast<const BYTE*>(value.c_str()),
                            static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
    RegCloseKey(sectionKey);
  }
  if (status != ERROR_SUCCESS) {
    throw RuntimeError(RuntimeError::SettingsStore, "The setting " + key + " cannot be saved");
  }
}

}  // namespace kestrane
