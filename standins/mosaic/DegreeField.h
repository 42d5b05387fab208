#pragma once

#include <windows.h>

#include <string>

namespace tarvik::standins::mosaic {

// Where a degree field reports a text it refuses.
class DegreeFieldOwner {
 public:
  virtual void Refuse(const std::wstring& what) = 0;

 protected:
  ~DegreeFieldOwner() = default;
};

// Turns an Edit into one of Mosaic's degree fields: it takes a number of
// degrees followed by "d" and nothing else ("48.50718d", as Tarvik writes
// it) and shows that number with five decimals and the four characters
// " deg", the suffix Tarvik drops when it reads the field back. Any other
// text is refused, reported to `owner`, and the field keeps what it
// showed.
bool MakeDegreeField(HWND edit, DegreeFieldOwner& owner);

// What the field shows for a value.
inline constexpr wchar_t kDegreeSuffix[] = L" deg";

}  // namespace tarvik::standins::mosaic
