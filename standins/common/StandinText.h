#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace tarvik::standins {

// The number a text begins with, read as Tarvik reads coordinates: blanks
// (space, tab, line feed) are skipped wherever they are, then an optional
// sign, digits with an optional "." fraction and an optional exponent;
// whatever follows, such as Mosaic's "d", is ignored. nullopt when the text
// does not begin with a number or the number does not fit a double.
std::optional<double> LeadingNumber(std::wstring_view text);

// The number a text is, and nothing else: an optional sign, digits with an
// optional "." fraction and an optional exponent, as Tarvik's waypoints hold
// them; no blank and nothing after it. nullopt otherwise, and when the
// number does not fit a double.
std::optional<double> WholeNumber(std::wstring_view text);

// The value with exactly `decimals` decimals and "." as the point; a value
// that rounds to zero shows no minus sign.
std::wstring Fixed(double value, int decimals);

}  // namespace tarvik::standins
