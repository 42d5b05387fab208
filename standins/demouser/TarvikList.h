#pragma once

#include <windows.h>

#include <optional>
#include <string>

namespace tarvik::standins::demouser {

// One waypoint row of Tarvik's entire list, as the list box shows it.
struct ListedWaypoint {
  HWND list = nullptr;
  int index = -1;
  std::wstring latitude;
  std::wstring longitude;
};

// The row of the named waypoint in Tarvik's entire list, once a Marker file
// has filled it: the list box of Tarvik's main window whose rows hold it.
std::optional<ListedWaypoint> FindListedWaypoint(const std::wstring& name);

// Clicks the row with the mouse, as a user does: real input that goes
// through the window manager's hit-testing. False when the row is out of
// sight.
bool ClickRow(const ListedWaypoint& row);

}  // namespace tarvik::standins::demouser
