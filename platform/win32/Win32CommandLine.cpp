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

std::wstring FullPathOf(const std::wstring& path) {
  // The first call reports the size needed, terminator included.
  DWORD needed = GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
  if (needed == 0) return path;
  std::wstring full(needed, L'\0');
  DWORD length = GetFullPathNameW(path.c_str(), needed, full.data(), nullptr);
  if (length == 0 || length >= needed) return path;
  full.resize(length);
  return full;
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
  // Only the folder is made full: the whole path would turn a file named
  // like a DOS device (nul.mkr) into that device, \\.\nul.
  std::size_t name_at = wide.find_last_of(L"\\/");
  name_at = name_at != std::wstring::npos ? name_at + 1 : (wide.size() > 1 && wide[1] == L':' ? 2 : 0);
  const std::wstring name = wide.substr(name_at);
  if (name.empty() || name == L"." || name == L"..") return Narrow(FullPathOf(wide));
  std::wstring folder = name_at == 0 ? L"." : wide.substr(0, name_at);
  std::wstring full_folder = FullPathOf(folder);
  if (!full_folder.empty() && full_folder.back() != L'\\') full_folder += L'\\';
  return Narrow(full_folder + name);
}

}  // namespace tarvik::platform::win32
