#include "platform/win32/Win32System.h"

#include <shellapi.h>

#include <vector>

#include "platform/win32/SystemFunction.h"
#include "platform/win32/Utf.h"

namespace tarvik::platform::win32 {

std::string Win32System::ProgramFolder() const {
  // Paths may exceed MAX_PATH: grow the buffer until the name fits.
  std::vector<wchar_t> buffer(MAX_PATH);
  for (;;) {
    DWORD length = GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
    if (length == 0) return {};
    if (length < buffer.size()) {
      std::wstring path(buffer.data(), length);
      return Narrow(path.substr(0, path.find_last_of(L"\\/")));
    }
    buffer.resize(buffer.size() * 2);
  }
}

void Win32System::Sleep(int milliseconds) { ::Sleep(static_cast<DWORD>(milliseconds)); }

bool Win32System::Dispatch(MSG& message) {
  if (message.message == WM_QUIT) return false;
  if (filter_ && filter_(message)) return true;
  TranslateMessage(&message);
  DispatchMessageW(&message);
  return true;
}

void Win32System::DoEvents() {
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (!Dispatch(message)) {
      // Leave the quit request for the main loop that owns it.
      PostQuitMessage(static_cast<int>(message.wParam));
      return;
    }
  }
}

long Win32System::ShellOpen(std::string_view path, std::string_view folder) {
  // The wide call, so that a folder whose name the ANSI code page cannot
  // spell still opens.
  auto* shell_execute = SystemFunction<decltype(ShellExecuteW)>(L"shell32.dll", "ShellExecuteW");
  if (!shell_execute) return 0;
  HINSTANCE result = shell_execute(GetDesktopWindow(), L"open", Widen(path).c_str(), L"",
                                   Widen(folder).c_str(), SW_SHOWNORMAL);
  return static_cast<long>(reinterpret_cast<INT_PTR>(result));
}

}  // namespace tarvik::platform::win32
