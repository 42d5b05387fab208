// The main window's waypoint lists: the current waypoint, the entire and
// recent lists, Add, Delete and Last.
#include "app/AppInfo.h"
#include "app/Form_Tarvik.h"
#include "waypoints/RowOrder.h"
#include "waypoints/WaypointCheck.h"
#include "waypoints/undo/ListChange.h"

namespace tarvik::app {

namespace {

constexpr int kRecentCapacity = 11;
constexpr int kTargetMosaic = 1;
constexpr int kTargetUSAPhotoMaps = 2;
constexpr const char* kAddTitle = "Add Waypoint";

std::string_view ProblemText(waypoints::WaypointProblem problem) {
  switch (problem) {
    case waypoints::WaypointProblem::MissingName:
      return "Missing waypoint name.";
    case waypoints::WaypointProblem::NameNotAField:
      return "A waypoint name cannot contain a tab or a line break.";
    case waypoints::WaypointProblem::NameHasQuote:
      return "A waypoint name cannot contain a double quote.";
    case waypoints::WaypointProblem::InvalidLatitude:
      return "Invalid Latitude.";
    case waypoints::WaypointProblem::InvalidLongitude:
      return "Invalid Longitude.";
    case waypoints::WaypointProblem::None:
      break;
  }
  return {};
}

std::string TrimSpaces(std::string text) {
  size_t first = text.find_first_not_of(' ');
  if (first == std::string::npos) return {};
  size_t last = text.find_last_not_of(' ');
  return text.substr(first, last - first + 1);
}

}  // namespace

void Form_Tarvik::ParseRow(std::string_view row) {
  if (auto waypoint = waypoints::SplitRow(row)) Cur_ = std::move(*waypoint);
}

void Form_Tarvik::ShowCurrent() {
  c_.Text_Waypoint->SetCaption(Cur_.Name);
  c_.Text_Latitude->SetCaption(Cur_.Latitude);
  c_.Text_Longitude->SetCaption(Cur_.Longitude);
  CurrentRow_ = waypoints::JoinRow(Cur_);
}

void Form_Tarvik::ClearEntry() {
  c_.Text_Waypoint->SetCaption("");
  c_.Text_Latitude->SetCaption("");
  c_.Text_Longitude->SetCaption("");
}

void Form_Tarvik::ClearLists() {
  c_.List_Entire->Clear();
  c_.List_Recent->Clear();
  ClearEntry();
}

void Form_Tarvik::AddRecent(const std::string& row) {
  auto& recent = *c_.List_Recent;
  int looked_at = std::min(recent.Count(), kRecentCapacity);
  for (int i = 0; i < looked_at; ++i) {
    if (recent.Item(i) == row) {
      recent.SetListIndex(i);  // a different row raises List_Recent_Click here
      return;
    }
  }
  if (recent.Count() >= kRecentCapacity) recent.RemoveItem(0);
  recent.AddItem(row);
  recent.SetListIndex(recent.Count() - 1);
}

void Form_Tarvik::AddToEntireList(const std::string& row) {
  auto& list = *c_.List_Entire;
  int at = waypoints::SortedInsertIndex(list.Count(), [&](int i) { return list.Item(i); }, row);
  list.AddItem(row, at);
}

int Form_Tarvik::FindInEntireList(std::string_view name) const {
  // The entire list is always in order; reading all of a large one through
  // the list box would take a visible pause.
  const platform::ListControl& list = *c_.List_Entire;
  return waypoints::FindNameInOrder(list.Count(), [&](int i) { return list.Item(i); }, name);
}

int Form_Tarvik::FindRowByName(const platform::ListControl& list, std::string_view name) const {
  for (int i = 0; i < list.Count(); ++i) {
    if (waypoints::RowName(list.Item(i)) == name) return i;
  }
  return -1;
}

bool Form_Tarvik::ValidateNewWaypoint(const waypoints::Waypoint& waypoint) {
  std::string_view problem = ProblemText(waypoints::CheckNewWaypoint(waypoint));
  if (problem.empty() && FindInEntireList(waypoint.Name) >= 0) problem = "Waypoint aleady exists";
  if (problem.empty()) return true;
  services_.messages.Warn(problem, kAddTitle);
  return false;
}

void Form_Tarvik::Command_New_Click() {
  // The boxes keep the trimmed texts even when a check fails.
  for (auto* box : {c_.Text_Waypoint, c_.Text_Latitude, c_.Text_Longitude}) {
    box->SetCaption(TrimSpaces(box->Caption()));
  }
  const waypoints::Waypoint waypoint{c_.Text_Waypoint->Caption(), c_.Text_Latitude->Caption(),
                                     c_.Text_Longitude->Caption(), "2"};
  if (!ValidateNewWaypoint(waypoint)) return;
  std::string row = waypoints::JoinRow(waypoint);
  AddToEntireList(row);
  entire_list_->NameStep(waypoints::undo::AddLabel(waypoint.Name));
  AddRecent(row);
  ClearEntry();
  document_.IsDirty = true;
}

void Form_Tarvik::Command_Delete_Click() {
  std::string name = c_.Text_Waypoint->Caption();
  if (services_.messages.Ask("Delete waypoint " + name + "?", "Delete Waypoint?") ==
      platform::Answer::No) {
    return;
  }
  document_.IsDirty = true;
  if (int at = FindInEntireList(name); at >= 0) {
    c_.List_Entire->RemoveItem(at);
    entire_list_->NameStep(waypoints::undo::DeleteLabel(name));
  }
  if (int at = FindRowByName(*c_.List_Recent, name); at >= 0) c_.List_Recent->RemoveItem(at);
  ClearEntry();
  EnableGrabForTarget();
}

void Form_Tarvik::EnableGrabForTarget() {
  if (TargetApp() == kTargetMosaic) c_.Command_Grab->SetEnabled(true);
  if (TargetApp() == kTargetUSAPhotoMaps) c_.Command_Grab->SetEnabled(false);
}

void Form_Tarvik::List_Entire_Click() {
  int selected = c_.List_Entire->ListIndex();
  if (selected < 0) return;
  c_.Command_Delete->SetEnabled(true);
  ParseRow(c_.List_Entire->Item(selected));
  ShowCurrent();
  // The recent list shows the row too, but this click does the jumping.
  SuppressRecentJump_ = true;
  AddRecent(CurrentRow_);
  JumpToCurrent();
}

void Form_Tarvik::List_Recent_Click() {
  EnableGrabForTarget();
  int selected = c_.List_Recent->ListIndex();
  if (selected < 0) return;
  ParseRow(c_.List_Recent->Item(selected));
  ShowCurrent();
  if (!SuppressRecentJump_) JumpToCurrent();
  SuppressRecentJump_ = false;
}

void Form_Tarvik::Command_Last_Click() {
  std::string previous = LastRow_;
  LastRow_ = CurrentRow_;
  ParseRow(previous);
  ShowCurrent();
  JumpToCurrent();
}

}  // namespace tarvik::app
