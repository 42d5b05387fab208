#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace tarvik::waypoints::undo {

// Rows that came into the entire list or left it in one go, with where they
// stood: all it takes to make the change again or take it back, and no more
// of the list than the rows it moved.
struct ListChange {
  bool inserted = true;  // else removed
  // Ascending. Inserted rows stand at these indices afterwards; removed
  // rows stood at them before.
  std::vector<int> at;
  std::vector<std::string> rows;  // one per index

  std::size_t Bytes() const;
};

// What one command did to the list, and how the Edit menu names it.
struct ListStep {
  std::string label;  // Add "West Yard", Import (212 waypoints)
  std::vector<ListChange> changes;  // in the order made

  std::size_t Bytes() const;
};

// The labels of the commands that change the list.
std::string AddLabel(std::string_view name);
std::string DeleteLabel(std::string_view name);
std::string ImportLabel(std::size_t count);

// The Edit menu's entries: "&Undo" and "&Redo" followed by what they would
// do, an ampersand of a name shown as itself.
std::string UndoCaption(const ListStep* step);
std::string RedoCaption(const ListStep* step);

}  // namespace tarvik::waypoints::undo
