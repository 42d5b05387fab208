#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "platform/TextEncoding.h"

namespace tarvik::waypoints::exchange {

using platform::Windows1252Character;

// Windows-1252 text as UTF-8.
std::string Windows1252ToUtf8(std::string_view text);
// Its size, without making it.
std::size_t Windows1252Utf8Size(std::string_view text);

// The line (from 1) of the first byte that is not part of UTF-8 text, if
// any.
std::optional<int> FirstNonUtf8Line(std::string_view text);

}  // namespace tarvik::waypoints::exchange
