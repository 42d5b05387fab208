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

// The first row, in list order, whose name is exactly `name`, among `count`
// rows in that order; -1 when there is none. Only the rows whose names
// equal it but for letter case can match, and in this order they stand
// together (each starts with the folded name and a tab), so a binary
// search finds them without reading every row.
template <class RowAt>
int FindNameInOrder(int count, RowAt row_at, std::string_view name) {
  const std::string key = std::string(name) + '\t';
  int low = 0;
  int high = count;
  while (low < high) {
    int middle = low + (high - low) / 2;
    if (RowLess(row_at(middle), key)) low = middle + 1;
    else high = middle;
  }
  for (int i = low; i < count; ++i) {
    const auto row = row_at(i);
    std::string_view row_name = std::string_view(row).substr(0, std::string_view(row).find('\t'));
    if (row_name == name) return i;
    if (RowLess(row_name, name) || RowLess(name, row_name)) return -1;
  }
  return -1;
}

// The rows of a list in that order with `added` (in any order) merged in,
// each after any equal row that was there and equal added rows in the order
// given. The views are of the two vectors' strings.
std::vector<std::string_view> MergeRows(const std::vector<std::string>& in_order,
                                        const std::vector<std::string>& added);

// Stable sort into that order.
void SortRows(std::vector<std::string>& rows);
void SortRows(std::vector<std::string_view>& rows);

}  // namespace tarvik::waypoints
