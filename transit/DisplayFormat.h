#pragma once

#include <string>

namespace tarvik::transit {

// The Transit window's two number patterns. Both round to the last digit
// shown, halves away from zero; both write "." as the decimal point
// whatever the locale, put a minus before a negative value, and show a
// value that rounds to zero without a minus. A value that is not finite
// shows as "?".

// "###0.00": at least one digit before the point, two after; 14.14, 0.05.
std::string FormatTwoPlaces(double value);

// "###.00000": no digit required before the point, five after; 39.62406,
// .50000, -.50000.
std::string FormatFivePlaces(double value);

}  // namespace tarvik::transit
