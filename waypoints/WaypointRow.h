#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace tarvik::waypoints {

// One waypoint, every field exactly as typed or read, never reformatted.
struct Waypoint {
  std::string Name;
  std::string Latitude;
  std::string Longitude;
  std::string Extra;

  bool operator==(const Waypoint&) const = default;
};

inline constexpr char kTab = '\t';

// The row a list box shows: Name, tab, Latitude, tab, Longitude, tab, Extra.
std::string JoinRow(const Waypoint& waypoint);
// The same row added to the end of `out`.
void AppendRow(const Waypoint& waypoint, std::string& out);
// Splits at the first three tabs; Extra runs to the end and may hold more
// tabs. nullopt for a row with fewer than three tabs.
std::optional<Waypoint> SplitRow(std::string_view row);
// The characters before the first tab (the whole row when it has none).
std::string_view RowName(std::string_view row);

// Whether a text can stand in a row as its Name, Latitude or Longitude: a
// tab would move the fields after it, a NUL ends the text a list box keeps,
// and a line break would split the Marker line written from the row.
bool CanBeField(std::string_view text);
// Extra runs to the end of the row, so it may hold tabs, but nothing else
// that CanBeField refuses.
bool CanBeExtra(std::string_view text);

}  // namespace tarvik::waypoints
