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

// The program's name as CommandLineToArgvW takes it from the start of a
// command line: up to the next quote when it starts with one, else up to a
// space or tab. `rest` is left after it.
std::wstring TakeProgramName(std::wstring_view& rest) {
  const bool quoted = !rest.empty() && rest.front() == L'"';
  if (quoted) rest.remove_prefix(1);
  const std::size_t end = rest.find_first_of(quoted ? L"\"" : L" \t");
  std::wstring name(rest.substr(0, end));
  rest.remove_prefix(end == std::wstring_view::npos ? rest.size() : end + (quoted ? 1 : 0));
  return name;
}

}  // namespace

std::vector<std::string> CommandLineArguments() {
  std::wstring_view rest = GetCommandLineW();
  std::wstring program = TakeProgramName(rest);
  // A start without arguments, the usual one, splits the line without
  // loading shell32 (see SystemFunction).
  if (rest.find_first_not_of(L" \t") == std::wstring_view::npos) return {Narrow(program)};
  auto* split = SystemFunction<decltype(CommandLineToArgvW)>(L"shell32.dll", "CommandLineToArgvW");
  if (!split) return {Narrow(program)};
  int count = 0;
  UniqueArgv argv(split(GetCommandLineW(), &count));
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
