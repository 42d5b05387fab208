#include "waypoints/undo/ListChange.h"

namespace tarvik::waypoints::undo {

namespace {

// A menu shows "&&" as one ampersand; a single one marks the access key.
std::string ShownAsIs(std::string_view text) {
  std::string out;
  for (char c : text) {
    out += c;
    if (c == '&') out += c;
  }
  return out;
}

std::string Caption(const char* verb, const ListStep* step) {
  std::string caption = verb;
  if (step) caption += " " + ShownAsIs(step->label);
  return caption;
}

}  // namespace

std::size_t ListChange::Bytes() const {
  std::size_t bytes = at.size() * sizeof(int) + rows.size() * sizeof(std::string);
  for (const auto& row : rows) bytes += row.size();
  return bytes;
}

std::size_t ListStep::Bytes() const {
  std::size_t bytes = label.size();
  for (const auto& change : changes) bytes += change.Bytes();
  return bytes;
}

std::string AddLabel(std::string_view name) { return "Add \"" + std::string(name) + "\""; }

std::string DeleteLabel(std::string_view name) { return "Delete \"" + std::string(name) + "\""; }

std::string ImportLabel(std::size_t count) {
  return "Import (" + std::to_string(count) + (count == 1 ? " waypoint)" : " waypoints)");
}

std::string UndoCaption(const ListStep* step) { return Caption("&Undo", step); }

std::string RedoCaption(const ListStep* step) { return Caption("&Redo", step); }

}  // namespace tarvik::waypoints::undo
