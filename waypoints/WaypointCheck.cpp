#include "waypoints/WaypointCheck.h"

#include "waypoints/Coordinates.h"

namespace tarvik::waypoints {

WaypointProblem CheckNewWaypoint(const Waypoint& waypoint) {
  if (waypoint.Name.empty()) return WaypointProblem::MissingName;
  // A row could not hold it, nor a Marker file take it back.
  if (!CanBeField(waypoint.Name)) return WaypointProblem::NameNotAField;
  // A Marker file's name stands in double quotes and ends at the next one.
  if (waypoint.Name.find('"') != std::string::npos) return WaypointProblem::NameHasQuote;
  if (!IsValidLatitude(waypoint.Latitude)) return WaypointProblem::InvalidLatitude;
  if (!IsValidLongitude(waypoint.Longitude)) return WaypointProblem::InvalidLongitude;
  return WaypointProblem::None;
}

}  // namespace tarvik::waypoints
