#include "target/LeadingNumber.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <algorithm>

namespace tarvik::target {

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

std::string WithoutBlanks(std::string_view text) {
  std::string kept;
  for (char c : text) {
    if (c != ' ' && c != '\t' && c != '\n') kept += c;
  }
  return kept;
}

// Length of the longest prefix that is a decimal number, 0 when none.
size_t NumberPrefix(std::string_view text) {
  size_t i = 0;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
  size_t digits = 0;
  while (i < text.size() && IsDigit(text[i])) ++i, ++digits;
  if (i < text.size() && text[i] == '.') {
    size_t after_point = i + 1;
    size_t fraction = 0;
    while (after_point < text.size() && IsDigit(text[after_point])) ++after_point, ++fraction;
    if (digits + fraction > 0) {
      i = after_point;
      digits += fraction;
    }
  }
  if (digits == 0) return 0;
  if (i < text.size() && (text[i] == 'E' || text[i] == 'e')) {
    size_t k = i + 1;
    if (k < text.size() && (text[k] == '+' || text[k] == '-')) ++k;
    size_t exponent_digits = 0;
    while (k < text.size() && IsDigit(text[k])) ++k, ++exponent_digits;
    if (exponent_digits > 0) i = k;
  }
  return i;
}

}  // namespace

std::optional<double> LeadingNumber(std::string_view text) {
  std::string compact = WithoutBlanks(text);
  std::string number = compact.substr(0, NumberPrefix(compact));
  if (number.empty()) return 0.0;
  // The program never changes the C locale, so strtod reads "." as the
  // point; unlike from_chars it tells overflow (infinite) from underflow.
  double value = std::strtod(number.c_str(), nullptr);
  if (!std::isfinite(value)) return std::nullopt;
  return value;
}

std::string PlainDecimal(double value) {
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%.15g", value);
  std::string text = buffer;
  if (text.find('e') != std::string::npos) {
    // Fifteen significant digits in fixed notation, then trimmed.
    int exponent = static_cast<int>(std::floor(std::log10(std::fabs(value))));
    int decimals = std::max(0, 14 - exponent);
    std::snprintf(buffer, sizeof buffer, "%.*f", std::min(decimals, 40), value);
    text = buffer;
    if (text.find('.') != std::string::npos) {
      while (text.back() == '0') text.pop_back();
      if (text.back() == '.') text.pop_back();
    }
  }
  if (text.rfind("0.", 0) == 0) text.erase(0, 1);
  if (text.rfind("-0.", 0) == 0) text.erase(1, 1);
  return text;
}

}  // namespace tarvik::target
