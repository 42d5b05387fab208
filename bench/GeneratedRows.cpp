#include "bench/GeneratedRows.h"

#include <random>

#include "waypoints/WaypointRow.h"

namespace tarvik::bench {

std::vector<std::string> GeneratedRows(int count) {
  std::mt19937 random(42);
  std::uniform_real_distribution<double> latitude(-90, 90), longitude(-180, 180);
  std::vector<std::string> rows;
  rows.reserve(static_cast<std::size_t>(count));
  for (int i = 0; i < count; ++i) {
    rows.push_back(waypoints::JoinRow({"Signal " + std::to_string(random() % 100000) + " (Yard)",
                                       std::to_string(latitude(random)),
                                       std::to_string(longitude(random)), "2"}));
  }
  return rows;
}

}  // namespace tarvik::bench
