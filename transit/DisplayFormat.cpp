#include "transit/DisplayFormat.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace tarvik::transit {

namespace {

// A double's first 15 significant digits are the decimal it stands for:
// rounding those, not the binary value, makes 10.005 show as 10.01, as the
// user who typed it expects.
constexpr int kSignificantDigits = 15;

struct Decimal {
  std::string digits;  // kSignificantDigits of them
  int point = 0;       // how many of them stand before the decimal point
};

Decimal DecimalOf(double magnitude) {
  char buffer[40];
  std::snprintf(buffer, sizeof buffer, "%.*e", kSignificantDigits - 1, magnitude);
  Decimal decimal;
  // Digits only: the point is whatever the C locale writes.
  for (const char* c = buffer; *c != 'e'; ++c) {
    if (*c >= '0' && *c <= '9') decimal.digits += *c;
  }
  decimal.point = std::atoi(std::strchr(buffer, 'e') + 1) + 1;
  return decimal;
}

// The digits of the value in units of the last place shown, rounded half
// away from zero; "" stands for zero.
std::string RoundedUnits(const Decimal& decimal, int places) {
  const int kept = decimal.point + places;
  if (kept < 0) return "";
  if (kept >= static_cast<int>(decimal.digits.size())) {
    return decimal.digits + std::string(static_cast<size_t>(kept) - decimal.digits.size(), '0');
  }
  std::string units = decimal.digits.substr(0, static_cast<size_t>(kept));
  if (decimal.digits[static_cast<size_t>(kept)] < '5') return units;
  int i = kept - 1;
  for (; i >= 0 && units[static_cast<size_t>(i)] == '9'; --i) units[static_cast<size_t>(i)] = '0';
  if (i < 0) return "1" + units;
  ++units[static_cast<size_t>(i)];
  return units;
}

std::string WithoutLeadingZeros(std::string digits) {
  const size_t first = digits.find_first_not_of('0');
  return first == std::string::npos ? "" : digits.substr(first);
}

std::string Format(double value, int places, bool digit_before_point) {
  if (!std::isfinite(value)) return "?";
  std::string units = WithoutLeadingZeros(RoundedUnits(DecimalOf(std::fabs(value)), places));
  const bool negative = value < 0 && !units.empty();
  const size_t fraction = static_cast<size_t>(places);
  if (units.size() < fraction) units.insert(0, fraction - units.size(), '0');
  std::string whole = units.substr(0, units.size() - fraction);
  if (whole.empty() && digit_before_point) whole = "0";
  return (negative ? "-" : "") + whole + "." + units.substr(units.size() - fraction);
}

}  // namespace

std::string FormatTwoPlaces(double value) { return Format(value, 2, true); }

std::string FormatFivePlaces(double value) { return Format(value, 5, false); }

}  // namespace tarvik::transit
