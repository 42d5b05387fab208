#include "waypoints/exchange/CsvCells.h"

#include <algorithm>

#include "waypoints/exchange/AngleText.h"
#include "waypoints/exchange/Csv.h"
#include "waypoints/exchange/Windows1252.h"

namespace tarvik::waypoints::exchange {

namespace {

std::string_view TrimBlanks(std::string_view text) {
  size_t first = text.find_first_not_of(" \t");
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

}  // namespace

std::string FieldText(std::string_view field, CsvEncoding encoding) {
  std::string value = FieldValue(field);
  if (encoding == CsvEncoding::Utf8) return value;
  return Windows1252ToUtf8(value);
}

std::optional<double> FieldDegrees(std::string_view field, Axis axis, char separator,
                                   CsvEncoding encoding) {
  if (field.size() > kLongestCoordinateField) return std::nullopt;
  std::string text(TrimBlanks(FieldText(field, encoding)));
  // Spreadsheets in many languages write "47,37819" and then part the
  // cells by semicolons or tabs.
  if (separator != ',' && std::count(text.begin(), text.end(), ',') == 1 &&
      text.find('.') == std::string::npos) {
    std::replace(text.begin(), text.end(), ',', '.');
  }
  if (auto value = CoordinateValue(text)) return value;
  return ParseAngle(text, axis);
}

}  // namespace tarvik::waypoints::exchange
