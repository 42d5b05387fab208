#pragma once

#include <string>
#include <string_view>

namespace tarvik::platform::win32 {

// The program keeps UTF-8; Windows' W functions take UTF-16. Invalid input
// becomes U+FFFD rather than being dropped.
std::wstring Widen(std::string_view utf8);
std::string Narrow(std::wstring_view utf16);

}  // namespace tarvik::platform::win32
