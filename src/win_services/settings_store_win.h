#pragma once

#include "settings_store.h"

namespace kestrane {

// The per-user settings store in the registry: each application's section
// is the key HKEY_CURRENT_USER\Software\<application>\<section>, each entry
// a REG_SZ value.
class RegistrySettings : public SettingsStore {
 public:
  std::string read(const std::string& application, const std::string& section, const std::string& key,
                   const std::string& defaultText) override;
  void save(const std::string& application, const std::string& section, const std::string& key,
            const std::string& text) override;
};

}  // namespace kestrane
