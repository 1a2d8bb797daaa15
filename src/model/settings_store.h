#pragma once

#include <string>

namespace kestrane {

// The per-user store of text values, addressed by application name,
// section and key.
class SettingsStore {
 public:
  // The stored text, or defaultText when the key is absent or holds no text.
  virtual std::string read(const std::string& application, const std::string& section,
                           const std::string& key, const std::string& defaultText) = 0;
  // Throws RuntimeError when the store refuses the value.
  virtual void save(const std::string& application, const std::string& section,
                    const std::string& key, const std::string& text) = 0;

 protected:
  ~SettingsStore() = default;
};

}  // namespace kestrane
