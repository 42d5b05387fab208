#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tarvik::waypoints {

// The order of the entire list: ascending by the whole row, letter case
// ignored. Decided here rather than by a sorted list box, whose word sort
// skips hyphens and apostrophes and would disagree with the tests.
// Letters fold by simple case mapping for Latin, Greek and Cyrillic; other
// characters compare by code point.
bool RowLess(std::string_view a, std::string_view b);

// Where a row goes among rows already in order: after any equal ones, so
// rows with the same key keep the order in which they arrived.
template <class RowAt>
int SortedInsertIndex(int count, RowAt row_at, std::string_view row) {
  int low = 0;
  int high = count;
  while (low < high) {
    int middle = low + (high - low) / 2;
    if (RowLess(row, row_at(middle))) high = middle;
    else low = middle + 1;
  }
  return low;
}

// Stable sort into that order.
void SortRows(std::vector<std::string>& rows);
void SortRows(std::vector<std::string_view>& rows);

}  // namespace tarvik::waypoints
