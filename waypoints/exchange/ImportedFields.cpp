#include "waypoints/exchange/ImportedFields.h"

#include <charconv>
#include <cmath>

#include "waypoints/Coordinates.h"
#include "waypoints/Utf8.h"

namespace tarvik::waypoints::exchange {

namespace {

constexpr int kDecimals = 6;
// Beyond any valid coordinate, so that the fixed notation stays short.
constexpr double kFormatLimit = 1000;

bool IsBlank(char32_t c) {
  if (c <= 0x20 || c == 0x7F || (c >= 0x80 && c <= 0x9F)) return true;
  switch (c) {
    case 0x00A0:
    case 0x1680:
    case 0x2028:
    case 0x2029:
    case 0x202F:
    case 0x205F:
    case 0x3000:
      return true;
    default:
      return c >= 0x2000 && c <= 0x200A;
  }
}

}  // namespace

std::string_view TrimAsciiBlanks(std::string_view text) {
  constexpr std::string_view kBlanks = " \t\r\n";
  size_t first = text.find_first_not_of(kBlanks);
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(kBlanks) - first + 1);
}

std::optional<std::string> CoordinateText(double degrees) {
  if (!std::isfinite(degrees) || std::fabs(degrees) > kFormatLimit) return std::nullopt;
  char buffer[32];
  auto [end, error] =
      std::to_chars(buffer, buffer + sizeof buffer, degrees, std::chars_format::fixed, kDecimals);
  if (error != std::errc()) return std::nullopt;
  std::string text(buffer, end);
  text.erase(text.find_last_not_of('0') + 1);
  if (text.back() == '.') text.pop_back();
  if (text == "-0") text = "0";
  return text;
}

std::optional<std::string> NormaliseCoordinate(std::string_view text) {
  auto value = CoordinateValue(TrimAsciiBlanks(text));
  if (!value) return std::nullopt;
  return CoordinateText(*value);
}

std::string CleanName(std::string_view raw) {
  std::string name;
  name.reserve(raw.size());
  bool blank_pending = false;
  for (size_t i = 0; i < raw.size();) {
    char32_t c = NextUtf8(raw, i).value_or(U'\uFFFD');
    if (IsBlank(c)) {
      blank_pending = !name.empty();
      continue;
    }
    if (blank_pending) name += ' ';
    blank_pending = false;
    AppendUtf8(c, name);
  }
  return name;
}

bool QuotesToApostrophes(std::string& name) {
  bool found = false;
  for (char& c : name) {
    if (c != '"') continue;
    c = '\'';
    found = true;
  }
  return found;
}

std::string NumberedName(int number) { return "WP " + std::to_string(number); }

}  // namespace tarvik::waypoints::exchange
