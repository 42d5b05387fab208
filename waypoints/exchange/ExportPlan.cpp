#include "waypoints/exchange/ExportPlan.h"

#include <optional>

#include "waypoints/Coordinates.h"
#include "waypoints/exchange/ImportedFields.h"

namespace tarvik::waypoints::exchange {

namespace {

constexpr size_t kNamesShown = 5;

std::optional<std::string> Exported(const std::string& text, Axis axis) {
  if (!IsValidCoordinate(text, axis)) return std::nullopt;
  if (text.find_first_of("eE") == std::string::npos) return text;
  return CoordinateText(*CoordinateValue(text));
}

}  // namespace

ExportPlan PlanExport(const std::vector<std::string>& rows) {
  ExportPlan plan;
  plan.waypoints.reserve(rows.size());
  for (const auto& row : rows) {
    auto waypoint = SplitRow(row);
    if (!waypoint) continue;
    auto latitude = Exported(waypoint->Latitude, Axis::Latitude);
    auto longitude = Exported(waypoint->Longitude, Axis::Longitude);
    if (!latitude || !longitude) {
      plan.left_out.push_back(waypoint->Name);
      continue;
    }
    plan.waypoints.push_back({waypoint->Name, std::move(*latitude), std::move(*longitude), {}});
  }
  return plan;
}

std::string LeftOutText(const ExportPlan& plan) {
  size_t count = plan.left_out.size();
  std::string text = "Exported " + std::to_string(plan.waypoints.size()) +
                     (plan.waypoints.size() == 1 ? " waypoint." : " waypoints.");
  text += "\nLeft out " + std::to_string(count) + (count == 1 ? " waypoint" : " waypoints") +
          " whose latitude or longitude is not a valid number:";
  for (size_t i = 0; i < count && i < kNamesShown; ++i) text += "\n" + plan.left_out[i];
  if (count > kNamesShown) text += "\nand " + std::to_string(count - kNamesShown) + " more";
  return text;
}

}  // namespace tarvik::waypoints::exchange
