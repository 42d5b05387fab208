#pragma once

#include <optional>
#include <string_view>

namespace tarvik::waypoints {

// A typed coordinate is valid when it is a plain decimal number (optional
// sign, digits with at most one ".", optional exponent; nothing else) whose
// absolute value, as a double, is at most 90 or 180. Values that do not fit
// a double, such as 1E999, are invalid.
bool IsValidLatitude(std::string_view text);
bool IsValidLongitude(std::string_view text);

// The number a text of that numeric form denotes, whatever its size;
// nullopt for any other text.
std::optional<double> CoordinateValue(std::string_view text);

}  // namespace tarvik::waypoints
