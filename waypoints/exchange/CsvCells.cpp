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

bool IsLongerThan(std::string_view field, std::size_t limit, CsvEncoding encoding) {
  // Text in UTF-8 is never shorter than in Windows-1252.
  if (field.size() > limit) return true;
  return encoding == CsvEncoding::Windows1252 && Windows1252Utf8Size(field) > limit;
}

std::string FieldText(std::string_view field, CsvEncoding encoding) {
  std::string value = FieldValue(field);
  if (encoding == CsvEncoding::Utf8) return value;
  return Windows1252ToUtf8(value);
}

std::optional<double> FieldDegrees(std::string_view field, Axis axis, char separator,
                                   CsvEncoding encoding) {
  if (IsLongerThan(field, kLongestCoordinateField, encoding)) return std::nullopt;
  // Most coordinates are read where they stand; only a quoted field, a
  // wider character in Windows-1252 or a decimal comma needs a copy.
  std::string copy;
  std::string_view text = field;
  bool ascii = std::all_of(field.begin(), field.end(),
                           [](char c) { return static_cast<unsigned char>(c) < 0x80; });
  if (field.find('"') != std::string_view::npos || (encoding != CsvEncoding::Utf8 && !ascii)) {
    copy = FieldText(field, encoding);
    text = copy;
  }
  text = TrimBlanks(text);
  // Spreadsheets in many languages write "47,37819" and then part the
  // cells by semicolons or tabs.
  if (separator != ',' && std::count(text.begin(), text.end(), ',') == 1 &&
      text.find('.') == std::string_view::npos) {
    std::string point(text);
    std::replace(point.begin(), point.end(), ',', '.');
    copy = std::move(point);
    text = copy;
  }
  if (auto value = CoordinateValue(text)) return value;
  return ParseAngle(text, axis);
}

}  // namespace tarvik::waypoints::exchange
