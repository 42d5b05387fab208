#include "waypoints/exchange/ImportPlan.h"

#include <algorithm>
#include <unordered_set>

namespace tarvik::waypoints::exchange {

namespace {

constexpr size_t kLinesShown = 5;
constexpr SkipReason kReasons[] = {SkipReason::NotAPosition, SkipReason::NoPointOrLine,
                                   SkipReason::AlreadyInList};

std::string Counted(size_t count, const char* one, const char* many) {
  return std::to_string(count) + " " + (count == 1 ? one : many);
}

std::string ReasonText(SkipReason reason, size_t count) {
  switch (reason) {
    case SkipReason::NotAPosition:
      return std::to_string(count) + " without a valid latitude and longitude";
    case SkipReason::NoPointOrLine:
      return Counted(count, "placemark", "placemarks") + " without a point or a line";
    case SkipReason::AlreadyInList:
      return std::to_string(count) + " already in the list";
  }
  return {};
}

std::string Lines(std::vector<int> lines) {
  std::sort(lines.begin(), lines.end());
  std::string text = lines.size() == 1 ? "line " : "lines ";
  for (size_t i = 0; i < lines.size() && i < kLinesShown; ++i) {
    if (i > 0) text += ", ";
    text += std::to_string(lines[i]);
  }
  if (lines.size() > kLinesShown)
    text += " and " + std::to_string(lines.size() - kLinesShown) + " more";
  return text;
}

}  // namespace

ImportPlan PlanImport(ImportBatch batch, const std::vector<std::string>& rows_in_list) {
  std::unordered_set<std::string> seen(rows_in_list.begin(), rows_in_list.end());
  ImportPlan plan{{}, std::move(batch.skipped)};
  plan.rows.reserve(batch.waypoints.size());
  for (const auto& imported : batch.waypoints) {
    std::string row = JoinRow(imported.waypoint);
    if (!seen.insert(row).second) {
      plan.skipped.push_back({SkipReason::AlreadyInList, imported.line});
      continue;
    }
    plan.rows.push_back(std::move(row));
  }
  return plan;
}

std::string ImportSummary(const ImportPlan& plan) {
  if (plan.rows.empty() && plan.skipped.empty()) return "The file holds no waypoints.";
  std::string text = "Added " + Counted(plan.rows.size(), "waypoint.", "waypoints.");
  if (plan.skipped.empty()) return text;
  text += "\nSkipped " + std::to_string(plan.skipped.size()) + ":";
  for (SkipReason reason : kReasons) {
    std::vector<int> lines;
    for (const auto& skipped : plan.skipped) {
      if (skipped.reason == reason) lines.push_back(skipped.line);
    }
    if (lines.empty()) continue;
    std::string reason_text = ReasonText(reason, lines.size());
    text += "\n" + reason_text + " (" + Lines(std::move(lines)) + ")";
  }
  return text;
}

}  // namespace tarvik::waypoints::exchange
