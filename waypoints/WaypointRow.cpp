#include "waypoints/WaypointRow.h"

namespace tarvik::waypoints {

std::string JoinRow(const Waypoint& waypoint) {
  std::string row;
  row.reserve(waypoint.Name.size() + waypoint.Latitude.size() + waypoint.Longitude.size() +
              waypoint.Extra.size() + 3);
  AppendRow(waypoint, row);
  return row;
}

void AppendRow(const Waypoint& waypoint, std::string& out) {
  out.append(waypoint.Name).append(1, kTab);
  out.append(waypoint.Latitude).append(1, kTab);
  out.append(waypoint.Longitude).append(1, kTab);
  out.append(waypoint.Extra);
}

std::optional<Waypoint> SplitRow(std::string_view row) {
  size_t t1 = row.find(kTab);
  if (t1 == std::string_view::npos) return std::nullopt;
  size_t t2 = row.find(kTab, t1 + 1);
  if (t2 == std::string_view::npos) return std::nullopt;
  size_t t3 = row.find(kTab, t2 + 1);
  if (t3 == std::string_view::npos) return std::nullopt;
  return Waypoint{std::string(row.substr(0, t1)), std::string(row.substr(t1 + 1, t2 - t1 - 1)),
                  std::string(row.substr(t2 + 1, t3 - t2 - 1)), std::string(row.substr(t3 + 1))};
}

std::string_view RowName(std::string_view row) { return row.substr(0, row.find(kTab)); }

bool CanBeExtra(std::string_view text) {
  return text.find_first_of(std::string_view("\0\r\n", 3)) == std::string_view::npos;
}

bool CanBeField(std::string_view text) {
  return CanBeExtra(text) && text.find(kTab) == std::string_view::npos;
}

}  // namespace tarvik::waypoints
