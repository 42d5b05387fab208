#include "standins/common/StandinText.h"

#include <charconv>
#include <cmath>
#include <cstddef>

namespace tarvik::standins {

namespace {

bool IsBlank(wchar_t c) { return c == L' ' || c == L'\t' || c == L'\n'; }
bool IsDigit(wchar_t c) { return c >= L'0' && c <= L'9'; }

// The text without blanks, as plain ASCII up to the first character that no
// number contains; the grammar is checked afterwards.
std::string NumberCharacters(std::wstring_view text) {
  std::string kept;
  for (wchar_t c : text) {
    if (IsBlank(c)) continue;
    const bool numeric =
        IsDigit(c) || c == L'+' || c == L'-' || c == L'.' || c == L'e' || c == L'E';
    if (!numeric) break;
    kept.push_back(static_cast<char>(c));
  }
  return kept;
}

std::size_t SkipDigits(const std::string& s, std::size_t i) {
  while (i < s.size() && IsDigit(static_cast<wchar_t>(s[i]))) ++i;
  return i;
}

// Length of the longest prefix of s that is a decimal number; 0 for none.
std::size_t NumberLength(const std::string& s) {
  std::size_t i = 0;
  if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
  const std::size_t integer_start = i;
  i = SkipDigits(s, i);
  std::size_t digits = i - integer_start;
  if (i < s.size() && s[i] == '.') {
    const std::size_t fraction_start = ++i;
    i = SkipDigits(s, i);
    digits += i - fraction_start;
  }
  if (digits == 0) return 0;
  if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
    std::size_t j = i + 1;
    if (j < s.size() && (s[j] == '+' || s[j] == '-')) ++j;
    const std::size_t exponent_end = SkipDigits(s, j);
    if (exponent_end > j) i = exponent_end;
  }
  return i;
}

}  // namespace

std::optional<double> LeadingNumber(std::wstring_view text) {
  std::string characters = NumberCharacters(text);
  characters.resize(NumberLength(characters));
  if (characters.empty()) return std::nullopt;
  // from_chars takes no "+" sign.
  const std::size_t skip = characters.front() == '+' ? 1 : 0;
  double value = 0;
  const auto [end, error] =
      std::from_chars(characters.data() + skip, characters.data() + characters.size(), value);
  if (error != std::errc() || !std::isfinite(value)) return std::nullopt;
  return value;
}

std::optional<double> WholeNumber(std::wstring_view text) {
  std::string ascii;
  for (wchar_t c : text) {
    if (c > 0x7F || IsBlank(c)) return std::nullopt;
    ascii.push_back(static_cast<char>(c));
  }
  if (ascii.empty() || NumberLength(ascii) != ascii.size()) return std::nullopt;
  return LeadingNumber(text);
}

std::wstring Fixed(double value, int decimals) {
  char buffer[64];
  const auto [end, error] =
      std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, decimals);
  if (error != std::errc()) return L"?";
  std::string text(buffer, end);
  if (text.front() == '-' && text.find_first_not_of("-0.") == std::string::npos) text.erase(0, 1);
  return std::wstring(text.begin(), text.end());
}

}  // namespace tarvik::standins
