#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "waypoints/WaypointRow.h"

namespace tarvik::waypoints {

// A file's worth of rows in one block of text, with where each row ends. A
// string per row would cost an allocation each, and a heap keeps the pages
// of small blocks after they are freed: with 100,000 rows that is megabytes
// of the program's working set for as long as it runs.
class RowBlock {
 public:
  void Add(const Waypoint& waypoint);

  std::size_t Count() const { return ends_.size(); }
  // In the order added.
  std::string_view Row(std::size_t index) const;
  // Every row in the entire list's order, equal rows in the order added; the
  // views last as long as the block, unchanged.
  std::vector<std::string_view> SortedRows() const;

 private:
  std::string text_;
  std::vector<std::size_t> ends_;
};

}  // namespace tarvik::waypoints
