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

enum class Axis { Latitude, Longitude };

// The check above for the given axis.
bool IsValidCoordinate(std::string_view text, Axis axis);
// Whether degrees lie within the axis's range, both ends included: at most
// 90 from zero for a latitude, 180 for a longitude.
bool IsWithinRange(double degrees, Axis axis);

// The number a text of that numeric form denotes, whatever its size;
// nullopt for any other text.
std::optional<double> CoordinateValue(std::string_view text);

}  // namespace tarvik::waypoints
