#include "bench/UnixFiles.h"

#include <windows.h>

#include <memory>
#include <stdexcept>

#include "bench/ChildProgram.h"

namespace tarvik::bench {

namespace {

// Wine's own export that turns a Unix path into one a Windows program can
// open; the string comes from the process heap.
using DosNameOf = LPWSTR(CDECL*)(LPCSTR);

struct HeapString {
  void operator()(wchar_t* text) const noexcept { HeapFree(GetProcessHeap(), 0, text); }
};

DosNameOf DosNameFunction() {
  FARPROC found = GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "wine_get_dos_file_name");
  // Through a function type without parameters, as any exported function
  // comes back typed as another.
  return reinterpret_cast<DosNameOf>(reinterpret_cast<void (*)()>(found));
}

std::wstring DosPath(const std::string& unix_path) {
  DosNameOf convert = DosNameFunction();
  if (!convert) throw std::runtime_error("not under Wine: " + unix_path + " cannot be read");
  std::unique_ptr<wchar_t, HeapString> path(convert(unix_path.c_str()));
  if (!path) throw std::runtime_error("Wine has no Windows path for " + unix_path);
  return path.get();
}

}  // namespace

bool RunningUnderWine() { return DosNameFunction() != nullptr; }

std::string ReadUnixFile(const std::string& unix_path) {
  HANDLE opened =
      CreateFileW(DosPath(unix_path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                  nullptr, OPEN_EXISTING, 0, nullptr);
  if (opened == INVALID_HANDLE_VALUE) {
    throw std::runtime_error("cannot open " + unix_path + " (error " +
                             std::to_string(GetLastError()) + ")");
  }
  UniqueKernelHandle file(opened);
  // A /proc file reports no size; it is read until it ends.
  std::string text;
  char buffer[4096];
  for (;;) {
    DWORD read = 0;
    if (!ReadFile(file.get(), buffer, sizeof buffer, &read, nullptr)) {
      throw std::runtime_error("cannot read " + unix_path + " (error " +
                               std::to_string(GetLastError()) + ")");
    }
    if (read == 0) return text;
    text.append(buffer, read);
  }
}

}  // namespace tarvik::bench
