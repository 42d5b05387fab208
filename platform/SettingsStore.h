#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace tarvik::platform {

// Per-user text values addressed by section and key, under the one
// application name the store was opened with.
class SettingsStore {
 public:
  virtual ~SettingsStore() = default;

  // nullopt when the key does not exist.
  virtual std::optional<std::string> Read(std::string_view section,
                                          std::string_view key) const = 0;
  // Creates or replaces the value. False when the store refused it.
  virtual bool Write(std::string_view section, std::string_view key,
                     std::string_view value) = 0;
};

}  // namespace tarvik::platform
