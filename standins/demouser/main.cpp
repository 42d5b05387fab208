// Stands in for the user in the demo: clicks a waypoint in Tarvik's entire
// list, once Tarvik shows it, and waits until the Route Editor stand-in's
// camera has moved there.
//   demouser.exe "WAYPOINT NAME"
// Exit code 0 once the camera shows the waypoint; 1 with the reason on
// standard output otherwise.
#include <windows.h>

#include <cmath>
#include <cstdio>
#include <cwchar>
#include <optional>
#include <string>

#include "standins/demouser/TarvikList.h"

namespace {

using tarvik::standins::demouser::ListedWaypoint;

constexpr DWORD kShowLimitMs = 60000;  // Wine's start, the splash, the file
constexpr DWORD kMoveLimitMs = 10000;
constexpr int kCameraLongitude = 4;  // children counted from 1 (standins/README.md)
constexpr int kCameraLatitude = 6;

template <class Predicate>
bool WaitUntil(Predicate ready, DWORD limit_ms) {
  const ULONGLONG deadline = GetTickCount64() + limit_ms;
  while (!ready()) {
    if (GetTickCount64() >= deadline) return false;
    Sleep(50);
  }
  return true;
}

HWND NthChild(HWND parent, int n) {
  HWND child = GetWindow(parent, GW_CHILD);
  for (int i = 1; child && i < n; ++i) child = GetWindow(child, GW_HWNDNEXT);
  return child;
}

std::optional<double> Degrees(HWND field) {
  wchar_t text[64] = {};
  if (!field || !SendMessageTimeoutW(field, WM_GETTEXT, 64, reinterpret_cast<LPARAM>(text),
                                     SMTO_ABORTIFHUNG, 1000, nullptr)) {
    return std::nullopt;
  }
  wchar_t* end = nullptr;
  double value = std::wcstod(text, &end);
  if (end == text) return std::nullopt;
  return value;
}

// The camera shows five decimals.
bool Shows(HWND field, const std::wstring& degrees) {
  auto shown = Degrees(field);
  return shown && std::abs(*shown - std::wcstod(degrees.c_str(), nullptr)) < 0.000006;
}

int Fail(const char* why) {
  std::printf("demouser: %s\n", why);
  return 1;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc != 2) return Fail("usage: demouser.exe \"WAYPOINT NAME\"");
  const std::wstring name = argv[1];

  std::optional<ListedWaypoint> row;
  if (!WaitUntil([&] { return (row = tarvik::standins::demouser::FindListedWaypoint(name)); },
                 kShowLimitMs)) {
    return Fail("Tarvik's list never showed the waypoint");
  }
  HWND camera = nullptr;
  if (!WaitUntil([&] { return (camera = FindWindowW(L"RouteEditorCamera", nullptr)); },
                 kShowLimitMs)) {
    return Fail("the Route Editor stand-in shows no Camera window");
  }
  // The window has just come up; give it a moment to be drawn before it
  // takes the click.
  Sleep(500);
  if (!tarvik::standins::demouser::ClickRow(*row)) return Fail("the row is out of sight");
  if (!WaitUntil(
          [&] {
            return Shows(NthChild(camera, kCameraLatitude), row->latitude) &&
                   Shows(NthChild(camera, kCameraLongitude), row->longitude);
          },
          kMoveLimitMs)) {
    return Fail("the camera did not move to the waypoint");
  }
  // A user lets go of the mouse: no tooltip covers the list in a picture.
  SetCursorPos(0, GetSystemMetrics(SM_CYSCREEN) - 1);
  std::printf("demouser: the camera stands at %ls, %ls\n", row->latitude.c_str(),
              row->longitude.c_str());
  return 0;
}
