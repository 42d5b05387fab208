#include "waypoints/Utf16.h"

#include "waypoints/Utf8.h"

namespace tarvik::waypoints {

namespace {

constexpr char32_t kReplacement = 0xFFFD;

void AppendUnit(char16_t unit, std::vector<std::uint8_t>& out) {
  out.push_back(static_cast<std::uint8_t>(unit & 0xFF));
  out.push_back(static_cast<std::uint8_t>(unit >> 8));
}

}  // namespace

std::optional<std::string> DecodeUtf16Le(const std::uint8_t* data, std::size_t size) {
  if (size % 2 != 0) return std::nullopt;
  std::string out;
  out.reserve(size / 2);
  for (std::size_t i = 0; i < size; i += 2) {
    char32_t unit = static_cast<char32_t>(data[i] | (data[i + 1] << 8));
    if (unit >= 0xDC00 && unit <= 0xDFFF) return std::nullopt;
    if (unit >= 0xD800 && unit <= 0xDBFF) {
      if (i + 3 >= size) return std::nullopt;
      char32_t low = static_cast<char32_t>(data[i + 2] | (data[i + 3] << 8));
      if (low < 0xDC00 || low > 0xDFFF) return std::nullopt;
      unit = 0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00);
      i += 2;
    }
    AppendUtf8(unit, out);
  }
  return out;
}

void AppendUtf16Le(std::string_view utf8, std::vector<std::uint8_t>& out) {
  for (size_t i = 0; i < utf8.size();) {
    char32_t c = NextUtf8(utf8, i).value_or(kReplacement);
    if (c < 0x10000) {
      AppendUnit(static_cast<char16_t>(c), out);
    } else {
      c -= 0x10000;
      AppendUnit(static_cast<char16_t>(0xD800 + (c >> 10)), out);
      AppendUnit(static_cast<char16_t>(0xDC00 + (c & 0x3FF)), out);
    }
  }
}

}  // namespace tarvik::waypoints
