#include "waypoints/exchange/Windows1252.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

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

std::size_t Windows1252Utf8Size(std::string_view text) {
  std::size_t size = 0;
  for (char c : text) {
    char32_t character = Windows1252Character(static_cast<unsigned char>(c));
    size += character < 0x80 ? 1 : character < 0x800 ? 2 : 3;
  }
  return size;
}

std::optional<int> FirstNonUtf8Line(std::string_view text) {
  // Tables are mostly ASCII, which needs no decoding: only the rare wider
  // character is taken apart, and lines are counted only for a fault.
  constexpr std::uint64_t kHighBits = 0x8080808080808080u;
  for (size_t i = 0; i < text.size();) {
    std::uint64_t eight;
    if (i + sizeof eight <= text.size()) {
      std::memcpy(&eight, text.data() + i, sizeof eight);
      if ((eight & kHighBits) == 0) {
        i += sizeof eight;
        continue;
      }
    }
    if (static_cast<unsigned char>(text[i]) < 0x80) {
      ++i;
      continue;
    }
    const size_t at = i;
    if (!NextUtf8(text, i)) {
      return 1 + static_cast<int>(std::count(text.begin(), text.begin() + at, '\n'));
    }
  }
  return std::nullopt;
}

}  // namespace tarvik::waypoints::exchange
