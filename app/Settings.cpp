#include "app/Settings.h"

#include <charconv>
#include <cmath>
#include <limits>

namespace tarvik::app {

namespace {

std::string_view TrimSpaces(std::string_view text) {
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
  return text;
}

// from_chars rejects a leading '+', which people typing into the registry
// editor may well write.
std::string_view DropPlusSign(std::string_view text) {
  if (!text.empty() && text.front() == '+') text.remove_prefix(1);
  return text;
}

template <class Number>
std::optional<Number> ParseWhole(std::string_view text) {
  text = DropPlusSign(TrimSpaces(text));
  Number value{};
  auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size() || text.empty()) {
    return std::nullopt;
  }
  return value;
}

}  // namespace

std::optional<bool> ParseBoolean(std::string_view text) {
  if (text == "True") return true;
  if (text == "False") return false;
  return std::nullopt;
}

std::optional<float> ParseSingle(std::string_view text) {
  auto value = ParseWhole<float>(text);
  if (!value || !std::isfinite(*value)) return std::nullopt;
  return value;
}

std::optional<std::int16_t> ParseInteger(std::string_view text) {
  return ParseWhole<std::int16_t>(text);
}

std::string FormatBoolean(bool value) { return value ? "True" : "False"; }

std::string FormatSingle(float value) {
  if (value == 0) return "0";  // never "-0"
  char buffer[64];
  auto [end, error] = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed);
  if (error != std::errc()) return "0";
  return std::string(buffer, end);
}

std::string FormatInteger(std::int16_t value) { return std::to_string(value); }

bool ReadBoolean(const platform::SettingsStore& store, std::string_view section,
                 std::string_view key, bool fallback) {
  auto text = store.Read(section, key);
  return text ? ParseBoolean(*text).value_or(fallback) : fallback;
}

float ReadSingle(const platform::SettingsStore& store, std::string_view section,
                 std::string_view key, float fallback) {
  auto text = store.Read(section, key);
  return text ? ParseSingle(*text).value_or(fallback) : fallback;
}

std::int16_t ReadInteger(const platform::SettingsStore& store, std::string_view section,
                         std::string_view key, std::int16_t fallback) {
  auto text = store.Read(section, key);
  return text ? ParseInteger(*text).value_or(fallback) : fallback;
}

void WriteBoolean(platform::SettingsStore& store, std::string_view section,
                  std::string_view key, bool value) {
  store.Write(section, key, FormatBoolean(value));
}

void WriteSingle(platform::SettingsStore& store, std::string_view section,
                 std::string_view key, float value) {
  store.Write(section, key, FormatSingle(value));
}

void WriteInteger(platform::SettingsStore& store, std::string_view section,
                  std::string_view key, std::int16_t value) {
  store.Write(section, key, FormatInteger(value));
}

}  // namespace tarvik::app
