#include "platform/win32/Win32CommandLine.h"

#include <windows.h>

#include <shellapi.h>

#include "platform/win32/Handles.h"
#include "platform/win32/Utf.h"

namespace tarvik::platform::win32 {

namespace {

HLOCAL FreeLocal(HLOCAL memory) { return LocalFree(memory); }

// CommandLineToArgvW hands out one LocalAlloc block for all the arguments.
using UniqueArgv = UniqueHandle<LPWSTR*, &FreeLocal>;

}  // namespace

std::vector<std::string> CommandLineArguments() {
  int count = 0;
  UniqueArgv argv(CommandLineToArgvW(GetCommandLineW(), &count));
  std::vector<std::string> arguments;
  if (!argv) return arguments;
  arguments.reserve(static_cast<size_t>(count));
  for (int i = 0; i < count; ++i) arguments.push_back(Narrow(argv.get()[i]));
  return arguments;
}

std::string FullPathName(std::string_view path) {
  const std::wstring wide = Widen(path);
  // The first call reports the size needed, terminator included.
  DWORD needed = GetFullPathNameW(wide.c_str(), 0, nullptr, nullptr);
  if (needed == 0) return std::string(path);
  std::wstring full(needed, L'\0');
  DWORD length = GetFullPathNameW(wide.c_str(), needed, full.data(), nullptr);
  if (length == 0 || length >= needed) return std::string(path);
  full.resize(length);
  return Narrow(full);
}

}  // namespace tarvik::platform::win32
