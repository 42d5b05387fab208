#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace tarvik::waypoints::exchange {

// The character a Windows-1252 byte stands for. The five bytes the code
// page leaves unassigned stand for the C1 controls of the same value, as
// Windows itself converts them.
char32_t Windows1252Character(unsigned char byte);

// Windows-1252 text as UTF-8.
std::string Windows1252ToUtf8(std::string_view text);
// Its size, without making it.
std::size_t Windows1252Utf8Size(std::string_view text);

// The line (from 1) of the first byte that is not part of UTF-8 text, if
// any.
std::optional<int> FirstNonUtf8Line(std::string_view text);

}  // namespace tarvik::waypoints::exchange
