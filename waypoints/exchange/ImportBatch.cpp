#include "waypoints/exchange/ImportBatch.h"

#include "waypoints/WaypointCheck.h"
#include "waypoints/exchange/ImportedFields.h"

namespace tarvik::waypoints::exchange {

void BatchBuilder::Add(std::string_view raw_name, std::string_view latitude,
                       std::string_view longitude, int line) {
  Keep(raw_name, NormaliseCoordinate(latitude), NormaliseCoordinate(longitude), line);
}

void BatchBuilder::AddDegrees(std::string_view raw_name, std::optional<double> latitude,
                              std::optional<double> longitude, int line) {
  auto text = [](std::optional<double> degrees) -> std::optional<std::string> {
    if (!degrees) return std::nullopt;
    return CoordinateText(*degrees);
  };
  Keep(raw_name, text(latitude), text(longitude), line);
}

void BatchBuilder::Skip(SkipReason reason, int line) { batch_.skipped.push_back({reason, line}); }

void BatchBuilder::Note(std::string note) { batch_.notes.push_back(std::move(note)); }

ImportBatch BatchBuilder::Take() {
  if (requoted_ > 0) {
    Note("Double quotes became ' in " + std::to_string(requoted_) +
         (requoted_ == 1 ? " name" : " names") + " (a waypoint name cannot contain one).");
  }
  requoted_ = 0;
  return std::move(batch_);
}

std::string BatchBuilder::NameOrNumber(std::string_view raw_name) const {
  std::string name = CleanName(raw_name);
  return name.empty() ? NumberedName(count_ + 1) : name;
}

void BatchBuilder::BeginNumbered(std::string_view raw_base) {
  numbered_ = Numbered{NameOrNumber(raw_base), batch_.waypoints.size(), 0};
}

std::string BatchBuilder::NextNumbered() {
  if (!numbered_) BeginNumbered({});
  return numbered_->base + " " + std::to_string(++numbered_->count);
}

void BatchBuilder::EndNumbered() {
  if (!numbered_) return;
  const std::size_t width = std::to_string(numbered_->count).size();
  for (std::size_t i = numbered_->first; i < batch_.waypoints.size(); ++i) {
    std::string& name = batch_.waypoints[i].waypoint.Name;
    std::size_t digits = name.size() - name.rfind(' ') - 1;
    name.insert(name.size() - digits, width - digits, '0');
  }
  numbered_.reset();
}

void BatchBuilder::Keep(std::string_view raw_name, std::optional<std::string> latitude,
                        std::optional<std::string> longitude, int line) {
  std::string name = NameOrNumber(raw_name);
  ++count_;
  if (!latitude || !longitude) return Skip(SkipReason::NotAPosition, line);
  bool requoted = QuotesToApostrophes(name);
  Waypoint waypoint{std::move(name), std::move(*latitude), std::move(*longitude), kImportedExtra};
  // Add's checks decide. The name was made fit above, so only the
  // coordinates can fail them.
  if (CheckNewWaypoint(waypoint) != WaypointProblem::None) {
    return Skip(SkipReason::NotAPosition, line);
  }
  if (requoted) ++requoted_;
  batch_.waypoints.push_back({std::move(waypoint), line});
}

}  // namespace tarvik::waypoints::exchange
