#pragma once

#include <string>
#include <vector>

namespace tarvik::bench {

// Rows of made-up waypoints in no particular order, as a GPS track or
// another tool would bring them: the same rows for the same count.
std::vector<std::string> GeneratedRows(int count);

}  // namespace tarvik::bench
