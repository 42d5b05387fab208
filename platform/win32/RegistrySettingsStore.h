#pragma once

#include <string>

#include "platform/SettingsStore.h"

namespace tarvik::platform::win32 {

// Values live under HKEY_CURRENT_USER\Software\<application>\<section>, one
// REG_SZ value per key.
class RegistrySettingsStore : public SettingsStore {
 public:
  explicit RegistrySettingsStore(std::string application);

  std::optional<std::string> Read(std::string_view section, std::string_view key) const override;
  bool Write(std::string_view section, std::string_view key, std::string_view value) override;

 private:
  std::wstring SectionPath(std::string_view section) const;

  std::string application_;
};

}  // namespace tarvik::platform::win32
