#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "waypoints/Coordinates.h"

namespace tarvik::waypoints::exchange {

// How a table's bytes are read: UTF-8, or Windows-1252 where they are not
// UTF-8, as spreadsheets on Windows save "CSV" without "UTF-8".
enum class CsvEncoding { Utf8, Windows1252 };

// A field longer than this holds no coordinate and names no column:
// nothing of the kind is that long.
inline constexpr std::size_t kLongestCoordinateField = 256;

// Whether a field as it stands in the table is longer than `limit` bytes,
// counted in UTF-8 so that a limit holds alike whichever encoding the
// table came in.
bool IsLongerThan(std::string_view field, std::size_t limit, CsvEncoding encoding);

// What a field as it stands in the table (CsvRecords::Fields) holds, as
// UTF-8 text.
std::string FieldText(std::string_view field, CsvEncoding encoding);

// A field holding a coordinate of the axis, in degrees: a plain number or
// any notation ParseAngle reads; where fields are not separated by commas
// a decimal comma too. Not checked against the axis's range.
std::optional<double> FieldDegrees(std::string_view field, Axis axis, char separator,
                                   CsvEncoding encoding);

}  // namespace tarvik::waypoints::exchange
