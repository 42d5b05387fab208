#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "platform/TextEncoding.h"

namespace tarvik::waypoints {

// Decodes the code point at `i` and moves past it. A malformed sequence
// (bad lead or continuation, overlong, surrogate, beyond U+10FFFF) gives
// nullopt and moves one byte, so every input makes progress.
std::optional<char32_t> NextUtf8(std::string_view text, std::size_t& i);

using platform::AppendUtf8;

}  // namespace tarvik::waypoints
