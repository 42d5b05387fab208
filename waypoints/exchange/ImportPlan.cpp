#include "waypoints/exchange/ImportPlan.h"

#include <algorithm>
#include <string_view>
#include <unordered_set>

namespace tarvik::waypoints::exchange {

namespace {

constexpr size_t kLinesShown = 5;
constexpr SkipReason kReasons[] = {SkipReason::NotAPosition, SkipReason::NoPointOrLine,
                                   SkipReason::EmptyTrackPoint, SkipReason::AlreadyInList};

std::string Counted(size_t count, const char* one, const char* many) {
  return std::to_string(count) + " " + (count == 1 ? one : many);
}

std::string ReasonText(SkipReason reason, size_t count) {
  switch (reason) {
    case SkipReason::NotAPosition:
      return std::to_string(count) + " without a valid latitude and longitude";
    case SkipReason::NoPointOrLine:
      return Counted(count, "placemark", "placemarks") + " without a point or a line";
    case SkipReason::EmptyTrackPoint:
      return Counted(count, "track point", "track points") + " without coordinates";
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

std::string CountsText(const ImportPlan& plan) {
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

}  // namespace

ImportPlan PlanImport(ImportBatch batch, const std::vector<std::string>& rows_in_list) {
  // The rows are joined once into storage that never moves, so that the
  // set of rows seen can hold views of them rather than copies.
  std::vector<std::string> joined;
  joined.reserve(batch.waypoints.size());
  for (const auto& imported : batch.waypoints) joined.push_back(JoinRow(imported.waypoint));
  std::unordered_set<std::string_view> seen;
  seen.reserve(rows_in_list.size() + joined.size());
  seen.insert(rows_in_list.begin(), rows_in_list.end());
  std::vector<bool> fresh(joined.size());
  for (size_t i = 0; i < joined.size(); ++i) fresh[i] = seen.insert(joined[i]).second;

  ImportPlan plan{{}, std::move(batch.skipped), std::move(batch.notes)};
  plan.rows.reserve(joined.size());
  for (size_t i = 0; i < joined.size(); ++i) {
    if (fresh[i]) plan.rows.push_back(std::move(joined[i]));
    else plan.skipped.push_back({SkipReason::AlreadyInList, batch.waypoints[i].line});
  }
  return plan;
}

std::string ImportSummary(const ImportPlan& plan) {
  std::string text = CountsText(plan);
  for (const std::string& note : plan.notes) text += "\n" + note;
  return text;
}

}  // namespace tarvik::waypoints::exchange
