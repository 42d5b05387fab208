#include "waypoints/exchange/Windows1252.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

#include "waypoints/Utf8.h"

namespace tarvik::waypoints::exchange {

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
