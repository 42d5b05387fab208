#pragma once

#include <windows.h>

namespace tarvik::platform::win32 {

// A function of a Windows DLL that is loaded on first use rather than when
// the program starts. Under Wine, loading shell32 and comdlg32 with the
// program is a good part of its start-up, for a manual, file dialogs, a
// command line and dropped files that most runs do without. The DLL stays loaded once it is; null when it
// or the function cannot be found.
template <class Function>
Function* SystemFunction(const wchar_t* dll, const char* name) {
  HMODULE module = LoadLibraryExW(dll, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
  if (!module) return nullptr;
  return reinterpret_cast<Function*>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

}  // namespace tarvik::platform::win32
