#include "waypoints/RowOrder.h"

#include "waypoints/Utf8.h"

#include <algorithm>
#include <cstdint>
#include <iterator>

namespace tarvik::waypoints {

namespace {

// A malformed byte stands for itself, so every text has a definite place.
char32_t NextCodePoint(std::string_view text, size_t& i) {
  size_t at = i;
  auto code = NextUtf8(text, i);
  return code ? *code : static_cast<std::uint8_t>(text[at]);
}

char32_t FoldCase(char32_t c) {
  if (c >= U'A' && c <= U'Z') return c + 32;
  if (c < 0xC0) return c;
  if (c <= 0xDE && c != 0xD7) return c + 32;                    // Latin-1 À..Þ
  if (c >= 0x100 && c <= 0x17F && c != 0x130 && c != 0x131 && c != 0x138 && c != 0x149) {
    // Latin Extended-A pairs upper, lower; the run 0x139..0x148 and
    // 0x179..0x17E pair odd, even.
    bool odd_pairs = (c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E);
    if (odd_pairs) return (c % 2 == 1) ? c + 1 : c;
    if (c == 0x178) return 0xFF;
    return (c % 2 == 0) ? c + 1 : c;
  }
  if (c >= 0x391 && c <= 0x3AB && c != 0x3A2) return c + 32;    // Greek
  if (c >= 0x410 && c <= 0x42F) return c + 32;                  // Cyrillic А..Я
  if (c >= 0x400 && c <= 0x40F) return c + 80;                  // Cyrillic Ѐ..Џ
  return c;
}

char FoldAscii(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; }

}  // namespace

bool RowLess(std::string_view a, std::string_view b) {
  size_t i = 0;
  size_t j = 0;
  // Rows are mostly ASCII: compare bytes until a wider character appears,
  // then decode from there on.
  while (i < a.size() && j < b.size()) {
    char x = a[i];
    char y = b[j];
    if (static_cast<unsigned char>(x) >= 0x80 || static_cast<unsigned char>(y) >= 0x80) break;
    x = FoldAscii(x);
    y = FoldAscii(y);
    if (x != y) return static_cast<unsigned char>(x) < static_cast<unsigned char>(y);
    ++i;
    ++j;
  }
  while (i < a.size() && j < b.size()) {
    char32_t x = FoldCase(NextCodePoint(a, i));
    char32_t y = FoldCase(NextCodePoint(b, j));
    if (x != y) return x < y;
  }
  return i == a.size() && j < b.size();
}

namespace {

template <class Row>
void SortInPlace(std::vector<Row>& rows) {
  auto less = [](const Row& a, const Row& b) { return RowLess(a, b); };
  // A file this program wrote is in order already.
  if (std::is_sorted(rows.begin(), rows.end(), less)) return;
  std::stable_sort(rows.begin(), rows.end(), less);
}

}  // namespace

std::vector<std::string_view> MergeRows(const std::vector<std::string>& in_order,
                                        const std::vector<std::string>& added) {
  std::vector<std::string_view> sorted_added(added.begin(), added.end());
  SortRows(sorted_added);
  std::vector<std::string_view> merged;
  merged.reserve(in_order.size() + added.size());
  std::merge(in_order.begin(), in_order.end(), sorted_added.begin(), sorted_added.end(),
             std::back_inserter(merged),
             [](std::string_view a, std::string_view b) { return RowLess(a, b); });
  return merged;
}

void SortRows(std::vector<std::string>& rows) { SortInPlace(rows); }

void SortRows(std::vector<std::string_view>& rows) { SortInPlace(rows); }

}  // namespace tarvik::waypoints
