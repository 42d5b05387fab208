#include "waypoints/exchange/CsvColumns.h"

#include <array>
#include <span>
#include <string_view>
#include <utility>

namespace tarvik::waypoints::exchange {

namespace {

using Keys = std::span<const std::string_view>;

constexpr std::string_view kLatitudeKeys[] = {"lat", "latitude"};
constexpr std::string_view kLongitudeKeys[] = {"lon", "lng", "long", "longitude"};
constexpr std::string_view kNorthingKeys[] = {"y"};
constexpr std::string_view kEastingKeys[] = {"x"};
constexpr std::string_view kNameKeys[] = {"name", "title", "label"};

// How well a header names a column, worst first.
enum class Naming { None, WordPart, Word, Whole };

char Lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + ('a' - 'A')) : c; }
bool IsLetter(char c) { return c >= 'a' && c <= 'z'; }

// The header in lower case without the blanks around it, and where its
// words stand: the runs of ASCII letters in it.
struct HeaderWords {
  std::string whole;
  std::vector<std::pair<size_t, size_t>> words;  // start and length
};

HeaderWords WordsOf(const std::string& header) {
  HeaderWords split;
  size_t first = header.find_first_not_of(" \t");
  size_t last = header.find_last_not_of(" \t");
  if (first == std::string::npos) return split;
  for (size_t i = first; i <= last; ++i) split.whole += Lower(header[i]);
  std::string_view whole = split.whole;
  for (size_t i = 0; i < whole.size();) {
    size_t end = i;
    while (end < whole.size() && IsLetter(whole[end])) ++end;
    if (end > i) split.words.emplace_back(i, end - i);
    i = end == i ? i + 1 : end;
  }
  return split;
}

Naming NamingOf(const HeaderWords& header, Keys keys, bool word_parts) {
  Naming best = Naming::None;
  for (std::string_view key : keys) {
    if (header.whole == key) return Naming::Whole;
    for (auto [start, length] : header.words) {
      std::string_view word = std::string_view(header.whole).substr(start, length);
      if (word == key) {
        best = Naming::Word;
      } else if (word_parts && best == Naming::None &&
                 (word.starts_with(key) || word.ends_with(key))) {
        best = Naming::WordPart;
      }
    }
  }
  return best;
}

// The leftmost of the best named columns that `usable` allows.
template <class Usable>
std::optional<size_t> BestColumn(const std::vector<HeaderWords>& headers, Keys keys,
                                 bool word_parts, Usable usable) {
  std::optional<size_t> best;
  Naming best_naming = Naming::None;
  for (size_t column = 0; column < headers.size(); ++column) {
    Naming naming = NamingOf(headers[column], keys, word_parts);
    if (naming > best_naming && usable(column)) {
      best = column;
      best_naming = naming;
    }
  }
  return best;
}

// A latitude and a longitude column of the given keys, neither named for
// both.
std::optional<std::array<size_t, 2>> Pair(const std::vector<HeaderWords>& headers,
                                          Keys latitude_keys, Keys longitude_keys,
                                          bool word_parts) {
  auto names_one_axis = [&](size_t column) {
    bool latitude = NamingOf(headers[column], latitude_keys, word_parts) != Naming::None;
    bool longitude = NamingOf(headers[column], longitude_keys, word_parts) != Naming::None;
    return latitude != longitude;
  };
  auto latitude = BestColumn(headers, latitude_keys, word_parts, names_one_axis);
  auto longitude = BestColumn(headers, longitude_keys, word_parts, names_one_axis);
  if (!latitude || !longitude) return std::nullopt;
  return std::array<size_t, 2>{*latitude, *longitude};
}

}  // namespace

std::optional<CsvColumns> ColumnsNamed(const std::vector<std::string>& header) {
  std::vector<HeaderWords> headers;
  headers.reserve(header.size());
  for (const std::string& cell : header) headers.push_back(WordsOf(cell));
  auto pair = Pair(headers, kLatitudeKeys, kLongitudeKeys, true);
  if (!pair) pair = Pair(headers, kNorthingKeys, kEastingKeys, false);
  if (!pair) return std::nullopt;
  auto name = BestColumn(headers, kNameKeys, false, [&](size_t column) {
    return column != (*pair)[0] && column != (*pair)[1];
  });
  return CsvColumns{name, (*pair)[0], (*pair)[1]};
}

}  // namespace tarvik::waypoints::exchange
