#pragma once

#include "waypoints/WaypointRow.h"

namespace tarvik::waypoints {

// What keeps a waypoint out of the entire list, in the order Add reports
// it. Whatever else brings waypoints in (an import) applies the same checks.
enum class WaypointProblem {
  None,
  MissingName,
  NameNotAField,
  NameHasQuote,
  InvalidLatitude,
  InvalidLongitude
};

// Checks the name, latitude and longitude as they stand; the Extra is not
// the user's to type and is not looked at.
WaypointProblem CheckNewWaypoint(const Waypoint& waypoint);

}  // namespace tarvik::waypoints
