#include "UnixPath.h"

#include <windows.h>

namespace tarvik::e2e {

std::optional<std::string> UnixPathOf(const std::filesystem::path& windows_path) {
  using Converter = char*(CDECL*)(const wchar_t*);
  auto convert = reinterpret_cast<Converter>(reinterpret_cast<void*>(
      GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "wine_get_unix_file_name")));
  if (!convert) return std::nullopt;
  char* unix_path = convert(windows_path.c_str());
  if (!unix_path) return std::nullopt;
  // Allocated from the process heap.
  std::string result(unix_path);
  HeapFree(GetProcessHeap(), 0, unix_path);
  return result;
}

}  // namespace tarvik::e2e
