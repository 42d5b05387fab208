#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "platform/SettingsStore.h"

namespace tarvik::app {

inline constexpr const char* kSettingsSection = "Settings";

// The text forms of stored values. A text that does not parse as its type
// gives nullopt, and the readers below fall back to the key's default.
std::optional<bool> ParseBoolean(std::string_view text);
std::optional<float> ParseSingle(std::string_view text);
std::optional<std::int16_t> ParseInteger(std::string_view text);

std::string FormatBoolean(bool value);
// Shortest decimal text that reads back as the same value: 1000, -15, 1000.5.
std::string FormatSingle(float value);
std::string FormatInteger(std::int16_t value);

bool ReadBoolean(const platform::SettingsStore& store, std::string_view section,
                 std::string_view key, bool fallback);
float ReadSingle(const platform::SettingsStore& store, std::string_view section,
                 std::string_view key, float fallback);
std::int16_t ReadInteger(const platform::SettingsStore& store, std::string_view section,
                         std::string_view key, std::int16_t fallback);

void WriteBoolean(platform::SettingsStore& store, std::string_view section,
                  std::string_view key, bool value);
void WriteSingle(platform::SettingsStore& store, std::string_view section,
                 std::string_view key, float value);
void WriteInteger(platform::SettingsStore& store, std::string_view section,
                  std::string_view key, std::int16_t value);

}  // namespace tarvik::app
