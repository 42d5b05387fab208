#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tarvik::waypoints {

// UTF-16LE bytes to UTF-8. nullopt for an odd number of bytes or an
// unpaired surrogate: such a file is not text this program wrote.
std::optional<std::string> DecodeUtf16Le(const std::uint8_t* data, std::size_t size);

// Appends UTF-8 text as UTF-16LE; a malformed byte becomes U+FFFD.
void AppendUtf16Le(std::string_view utf8, std::vector<std::uint8_t>& out);

}  // namespace tarvik::waypoints
