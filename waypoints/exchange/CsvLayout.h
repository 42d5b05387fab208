#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "waypoints/exchange/CsvCells.h"
#include "waypoints/exchange/CsvColumns.h"

namespace tarvik::waypoints::exchange {

// How a table holds its waypoints.
struct CsvLayout {
  char separator;
  CsvColumns columns;
  bool header;      // false: the first line holds a waypoint too
  std::string note;  // which columns were taken, for the summary
};

// The separators tried, in this order.
inline constexpr char kCsvSeparators[] = {'\t', ';', ',', '|'};

// From the first line: a header whose columns ColumnsNamed finds, with the
// first separator that parts it so; else, with the first separator that
// does, a first line whose first two fields hold a latitude and a
// longitude within range: a table without a header, whose third column
// is the name unless the first line holds a coordinate there. nullopt for
// neither.
std::optional<CsvLayout> FindLayout(std::string_view text, CsvEncoding encoding);

}  // namespace tarvik::waypoints::exchange
