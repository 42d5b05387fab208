#include "platform/win32/FilePath.h"

#include "platform/win32/Utf.h"

namespace tarvik::platform::win32 {

namespace {

bool IsDriveLetter(wchar_t c) { return (c >= L'A' && c <= L'Z') || (c >= L'a' && c <= L'z'); }

// Every part between backslashes is a name: \\?\ skips the clean-up that
// would otherwise fold "." and ".." and turn "/" into "\".
bool NeedsNoCleanUp(std::wstring_view rest) {
  if (rest.find(L'/') != std::wstring_view::npos) return false;
  for (std::size_t start = 0; start <= rest.size();) {
    std::size_t end = rest.find(L'\\', start);
    if (end == std::wstring_view::npos) end = rest.size();
    std::wstring_view part = rest.substr(start, end - start);
    if (part == L"." || part == L"..") return false;
    start = end + 1;
  }
  return true;
}

}  // namespace

std::wstring FilePath(std::string_view utf8_path) {
  std::wstring path = Widen(utf8_path);
  const bool drive = path.size() > 3 && IsDriveLetter(path[0]) && path[1] == L':' && path[2] == L'\\';
  const bool unc = path.size() > 2 && path[0] == L'\\' && path[1] == L'\\' && path[2] != L'?' &&
                   path[2] != L'.';
  if (drive && NeedsNoCleanUp(std::wstring_view(path).substr(3))) return L"\\\\?\\" + path;
  if (unc && NeedsNoCleanUp(std::wstring_view(path).substr(2))) return L"\\\\?\\UNC\\" + path.substr(2);
  return path;
}

}  // namespace tarvik::platform::win32
