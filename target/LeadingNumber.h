#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace tarvik::target {

// The number a coordinate text stands for: spaces, tabs and line feeds are
// ignored wherever they stand; the longest leading run that forms a decimal
// number (sign, digits, "." and digits, exponent) is taken and the rest
// ignored; no leading number at all, the empty text included, gives 0.
// nullopt when the number does not fit a double (1E999).
std::optional<double> LeadingNumber(std::string_view text);

// Decimal text for keys: at most 15 significant digits, no exponent, no
// trailing zeros, no zero before the point of a value below 1 (".5").
std::string PlainDecimal(double value);

}  // namespace tarvik::target
