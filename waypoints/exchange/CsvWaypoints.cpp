#include "waypoints/exchange/CsvWaypoints.h"

#include <algorithm>
#include <array>
#include <optional>

#include "waypoints/Coordinates.h"
#include "waypoints/Utf8.h"
#include "waypoints/exchange/AngleText.h"
#include "waypoints/exchange/Csv.h"

namespace tarvik::waypoints::exchange {

namespace {

constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";
constexpr std::array<char, 3> kSeparators = {'\t', ';', ','};
constexpr std::array<std::string_view, 3> kNameHeaders = {"name", "title", "label"};
constexpr std::array<std::string_view, 2> kLatitudeHeaders = {"lat", "latitude"};
constexpr std::array<std::string_view, 4> kLongitudeHeaders = {"lon", "lng", "long", "longitude"};

struct Columns {
  char separator;
  std::optional<size_t> name;
  size_t latitude;
  size_t longitude;
};

std::string_view TrimBlanks(std::string_view text) {
  size_t first = text.find_first_not_of(" \t");
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

bool SameLetters(std::string_view a, std::string_view b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
    auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; };
    return lower(x) == lower(y);
  });
}

template <size_t N>
std::optional<size_t> FindColumn(const std::vector<std::string>& header,
                                 const std::array<std::string_view, N>& names) {
  for (size_t column = 0; column < header.size(); ++column) {
    std::string_view cell = TrimBlanks(header[column]);
    for (std::string_view name : names) {
      if (SameLetters(cell, name)) return column;
    }
  }
  return std::nullopt;
}

// The separator is the one that splits the header into named latitude and
// longitude columns.
std::optional<Columns> FindColumns(std::string_view text) {
  std::string_view header_text = FirstRecordText(text);
  for (char separator : kSeparators) {
    CsvSplit split = SplitCsv(header_text, separator);
    if (split.records.empty()) continue;
    const auto& header = split.records.front().fields;
    auto latitude = FindColumn(header, kLatitudeHeaders);
    auto longitude = FindColumn(header, kLongitudeHeaders);
    if (latitude && longitude) {
      return Columns{separator, FindColumn(header, kNameHeaders), *latitude, *longitude};
    }
  }
  return std::nullopt;
}

// The line of the first byte that is not UTF-8, if any.
std::optional<int> FirstNonUtf8Line(std::string_view text) {
  int line = 1;
  for (size_t i = 0; i < text.size();) {
    if (text[i] == '\n') ++line;
    if (!NextUtf8(text, i)) return line;
  }
  return std::nullopt;
}

std::optional<double> CellDegrees(std::string_view cell, Axis axis, char separator) {
  std::string text(TrimBlanks(cell));
  // Spreadsheets in many languages write "47,37819" and then part the
  // cells by semicolons or tabs.
  if (separator != ',' && std::count(text.begin(), text.end(), ',') == 1 &&
      text.find('.') == std::string::npos) {
    std::replace(text.begin(), text.end(), ',', '.');
  }
  if (auto value = CoordinateValue(text)) return value;
  return ParseAngle(text, axis);
}

const std::string* Cell(const CsvRecord& record, size_t column) {
  return column < record.fields.size() ? &record.fields[column] : nullptr;
}

bool AllBlank(const CsvRecord& record) {
  return std::all_of(record.fields.begin(), record.fields.end(),
                     [](const std::string& field) { return TrimBlanks(field).empty(); });
}

}  // namespace

ImportOutcome ReadCsvWaypoints(std::string_view bytes) {
  if (bytes.substr(0, kUtf8Mark.size()) == kUtf8Mark) bytes.remove_prefix(kUtf8Mark.size());
  if (auto line = FirstNonUtf8Line(bytes)) {
    return {{}, ImportRefusal{"it is not UTF-8 text (line " + std::to_string(*line) + ")"}};
  }
  auto columns = FindColumns(bytes);
  if (!columns) {
    return {{}, ImportRefusal{"its first line does not name a latitude and a longitude column"}};
  }
  CsvSplit split = SplitCsv(bytes, columns->separator);
  if (split.unclosed_quote_line) {
    return {{},
            ImportRefusal{"the quoted field that starts on line " +
                          std::to_string(*split.unclosed_quote_line) + " never ends"}};
  }

  BatchBuilder builder;
  for (size_t r = 1; r < split.records.size(); ++r) {
    const CsvRecord& record = split.records[r];
    if (AllBlank(record)) continue;
    const std::string* name = columns->name ? Cell(record, *columns->name) : nullptr;
    const std::string* latitude = Cell(record, columns->latitude);
    const std::string* longitude = Cell(record, columns->longitude);
    auto degrees = [&](const std::string* cell, Axis axis) -> std::optional<double> {
      if (!cell) return std::nullopt;
      return CellDegrees(*cell, axis, columns->separator);
    };
    builder.AddDegrees(name ? *name : std::string_view{}, degrees(latitude, Axis::Latitude),
                       degrees(longitude, Axis::Longitude), record.line);
  }
  return {builder.Take(), std::nullopt};
}

std::string WriteCsvWaypoints(const std::vector<Waypoint>& waypoints) {
  constexpr char kComma = ',';
  std::string text(kUtf8Mark);
  text += "name,latitude,longitude\r\n";
  for (const auto& waypoint : waypoints) {
    text += CsvField(waypoint.Name, kComma);
    text += kComma;
    text += CsvField(waypoint.Latitude, kComma);
    text += kComma;
    text += CsvField(waypoint.Longitude, kComma);
    text += "\r\n";
  }
  return text;
}

}  // namespace tarvik::waypoints::exchange
