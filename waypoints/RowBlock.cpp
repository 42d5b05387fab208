#include "waypoints/RowBlock.h"

#include "waypoints/RowOrder.h"

namespace tarvik::waypoints {

void RowBlock::Add(const Waypoint& waypoint) {
  AppendRow(waypoint, text_);
  ends_.push_back(text_.size());
}

std::string_view RowBlock::Row(std::size_t index) const {
  std::size_t begin = index == 0 ? 0 : ends_[index - 1];
  return std::string_view(text_).substr(begin, ends_[index] - begin);
}

std::vector<std::string_view> RowBlock::SortedRows() const {
  std::vector<std::string_view> rows;
  rows.reserve(Count());
  for (std::size_t i = 0; i < Count(); ++i) rows.push_back(Row(i));
  SortRows(rows);
  return rows;
}

}  // namespace tarvik::waypoints
