#pragma once

#include <optional>
#include <string_view>

namespace tarvik::platform::win32 {

// Wine's XmlLite takes malformed UTF-8 without a word, turning it into
// other letters; checked before reading, such a file is refused on every
// system. The line of the first bad byte of a UTF-8 document (by its mark,
// its declaration or the lack of one), or nullopt when there is none or the
// document declares another encoding.
std::optional<int> FirstMalformedUtf8Line(std::string_view bytes);

}  // namespace tarvik::platform::win32
