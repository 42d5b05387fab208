#include "waypoints/Coordinates.h"

#include <charconv>
#include <cmath>
#include <optional>

namespace tarvik::waypoints {

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// True when the whole text has the numeric form; the number itself is
// converted separately.
bool HasNumericForm(std::string_view text) {
  size_t i = 0;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
  size_t digits = 0;
  bool point = false;
  for (; i < text.size(); ++i) {
    if (IsDigit(text[i])) {
      ++digits;
    } else if (text[i] == '.' && !point) {
      point = true;
    } else {
      break;
    }
  }
  if (digits == 0) return false;
  if (i < text.size() && (text[i] == 'E' || text[i] == 'e')) {
    ++i;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
    size_t exponent_digits = 0;
    while (i < text.size() && IsDigit(text[i])) {
      ++i;
      ++exponent_digits;
    }
    if (exponent_digits == 0) return false;
  }
  return i == text.size();
}

std::optional<double> ToDouble(std::string_view text) {
  if (!text.empty() && text.front() == '+') text.remove_prefix(1);  // from_chars takes no '+'
  double value = 0;
  auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size() || !std::isfinite(value)) {
    return std::nullopt;
  }
  return value;
}

constexpr double kLatitudeLimit = 90;
constexpr double kLongitudeLimit = 180;

}  // namespace

std::optional<double> CoordinateValue(std::string_view text) {
  if (text.empty() || !HasNumericForm(text)) return std::nullopt;
  return ToDouble(text);
}

bool IsWithinRange(double degrees, Axis axis) {
  return std::fabs(degrees) <= (axis == Axis::Latitude ? kLatitudeLimit : kLongitudeLimit);
}

bool IsValidCoordinate(std::string_view text, Axis axis) {
  auto value = CoordinateValue(text);
  return value && IsWithinRange(*value, axis);
}

bool IsValidLatitude(std::string_view text) { return IsValidCoordinate(text, Axis::Latitude); }

bool IsValidLongitude(std::string_view text) { return IsValidCoordinate(text, Axis::Longitude); }

}  // namespace tarvik::waypoints
