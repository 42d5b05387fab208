#include <windows.h>

#include <commctrl.h>

#include <exception>

#include "app/win32/TarvikApp.h"
#include "platform/win32/Utf.h"
#include "platform/win32/Win32CommandLine.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES};
  InitCommonControlsEx(&controls);
  try {
    tarvik::app::win32::TarvikApp app;
    return app.StartUp(tarvik::platform::win32::CommandLineArguments());
  } catch (const std::exception& error) {
    MessageBoxW(nullptr, tarvik::platform::win32::Widen(error.what()).c_str(), L"Tarvik",
                MB_OK | MB_ICONERROR);
    return 1;
  }
}
