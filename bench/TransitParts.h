#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <string_view>

// Reading an RE Transit window, in this process or in tarvik.exe.
namespace tarvik::bench {

// The control of that name in the window's design, or null.
HWND TransitPart(HWND transit, std::string_view name);

// The text through WM_GETTEXT, which also reads another process's Edit;
// empty when the window does not answer in time.
std::optional<std::wstring> TextOf(HWND window);

// The text for a report: quoted, or a note saying why there is none.
std::string Shown(HWND window);

}  // namespace tarvik::bench
