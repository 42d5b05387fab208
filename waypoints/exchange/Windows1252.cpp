#include "waypoints/exchange/Windows1252.h"

#include "waypoints/Utf8.h"

namespace tarvik::waypoints::exchange {

namespace {

// 0x80 to 0x9F, where the code page differs from Latin-1.
constexpr char32_t kHighControls[32] = {
    U'\u20AC', U'\u0081', U'\u201A', U'\u0192', U'\u201E', U'\u2026', U'\u2020', U'\u2021',
    U'\u02C6', U'\u2030', U'\u0160', U'\u2039', U'\u0152', U'\u008D', U'\u017D', U'\u008F',
    U'\u0090', U'\u2018', U'\u2019', U'\u201C', U'\u201D', U'\u2022', U'\u2013', U'\u2014',
    U'\u02DC', U'\u2122', U'\u0161', U'\u203A', U'\u0153', U'\u009D', U'\u017E', U'\u0178'};

}  // namespace

char32_t Windows1252Character(unsigned char byte) {
  if (byte >= 0x80 && byte <= 0x9F) return kHighControls[byte - 0x80];
  return byte;
}

std::string Windows1252ToUtf8(std::string_view text) {
  std::string utf8;
  utf8.reserve(text.size());
  for (char c : text) AppendUtf8(Windows1252Character(static_cast<unsigned char>(c)), utf8);
  return utf8;
}

std::optional<int> FirstNonUtf8Line(std::string_view text) {
  int line = 1;
  for (size_t i = 0; i < text.size();) {
    if (text[i] == '\n') ++line;
    if (!NextUtf8(text, i)) return line;
  }
  return std::nullopt;
}

}  // namespace tarvik::waypoints::exchange
