#include "bench/WholeNumber.h"

#include <algorithm>
#include <cwchar>

namespace tarvik::bench {

std::optional<int> ParseCount(const std::wstring& text, int minimum, int maximum) {
  if (text.empty() || text.size() > 9) return std::nullopt;  // nine digits always fit an int
  if (!std::all_of(text.begin(), text.end(), [](wchar_t c) { return c >= L'0' && c <= L'9'; })) {
    return std::nullopt;
  }
  int value = static_cast<int>(std::wcstol(text.c_str(), nullptr, 10));
  if (value < minimum || value > maximum) return std::nullopt;
  return value;
}

}  // namespace tarvik::bench
