#pragma once

#include <windows.h>

namespace tarvik::standins::mosaic {

// Turns an Edit into one of Mosaic's degree fields: a text written into it
// that begins with a number ("48.50718d" is what Tarvik writes) is shown as
// that number with five decimals and the four characters " deg", the
// suffix Tarvik drops when it reads the field back. Other texts are kept as
// they come.
bool MakeDegreeField(HWND edit);

// What the field shows for a value.
inline constexpr wchar_t kDegreeSuffix[] = L" deg";

}  // namespace tarvik::standins::mosaic
