#pragma once

#include <windows.h>

#include <string>

namespace tarvik::standins::usaphotomaps {

struct MapPosition {
  double latitude = 0;   // north positive
  double longitude = 0;  // east positive
};

// What the "Go to" dialog asks of the window that opened it.
class GoToOwner {
 public:
  virtual void MoveTo(MapPosition position) = 0;
  virtual void Refuse(const std::wstring& what) = 0;

 protected:
  ~GoToOwner() = default;
};

// The modal "Go to" dialog: latitude and longitude as unsigned degrees with
// a hemisphere each (north and west to begin with), filled with `current`
// and the latitude focused. Enter moves the owner to the typed position,
// or refuses it when a field is not a number alone or the place is off the
// map; either way the dialog stays open. Only Esc closes it.
void RunGoTo(HWND owner_window, MapPosition current, GoToOwner& owner);

}  // namespace tarvik::standins::usaphotomaps
