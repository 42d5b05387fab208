#pragma once

#include <string>

namespace tarvik::platform {

// The character a Windows-1252 byte stands for. The five bytes the code
// page leaves unassigned stand for the C1 controls of the same value, as
// Windows itself converts them; every other byte below 0xA0 differs from
// ISO-8859-1 only between 0x80 and 0x9F.
char32_t Windows1252Character(unsigned char byte);

void AppendUtf8(char32_t code_point, std::string& out);

}  // namespace tarvik::platform
