#include "waypoints/exchange/CsvLayout.h"

#include <vector>

#include "waypoints/Utf8.h"
#include "waypoints/exchange/Csv.h"
#include "waypoints/exchange/ImportedFields.h"

namespace tarvik::waypoints::exchange {

namespace {

// A header is shown in the summary up to this many characters.
constexpr size_t kShownHeaderCharacters = 40;

constexpr size_t kHeaderlessLatitude = 0;
constexpr size_t kHeaderlessLongitude = 1;
constexpr size_t kHeaderlessName = 2;

// The header as the summary shows it: on one line, and cut short.
std::string ShownHeader(std::string_view field, CsvEncoding encoding) {
  std::string header = CleanName(FieldText(field, encoding));
  size_t at = 0;
  for (size_t shown = 0; at < header.size() && shown < kShownHeaderCharacters; ++shown) {
    NextUtf8(header, at);
  }
  if (at < header.size()) header = header.substr(0, at) + "\u2026";
  return header;
}

std::string HeaderNote(const std::vector<std::string_view>& fields, const CsvColumns& columns,
                       CsvEncoding encoding) {
  std::string note = "Latitude from column " + ShownHeader(fields[columns.latitude], encoding) +
                     ", longitude from " + ShownHeader(fields[columns.longitude], encoding);
  if (columns.name) note += ", names from " + ShownHeader(fields[*columns.name], encoding);
  return note + ".";
}

std::optional<CsvLayout> NamedByHeader(std::string_view text, char separator,
                                       CsvEncoding encoding) {
  CsvRecords records(text, separator);
  if (records.Next() != CsvRecords::Status::Record) return std::nullopt;
  const auto& fields = records.Fields();
  // Only letters count, which read alike in either encoding.
  std::vector<std::string> header;
  header.reserve(fields.size());
  for (std::string_view field : fields) {
    bool too_long = IsLongerThan(field, kLongestCoordinateField, encoding);
    header.push_back(too_long ? std::string() : FieldValue(field));
  }
  auto columns = ColumnsNamed(header);
  if (!columns) return std::nullopt;
  return CsvLayout{separator, *columns, true, HeaderNote(fields, *columns, encoding)};
}

bool HoldsAngle(std::string_view field, Axis axis, char separator, CsvEncoding encoding) {
  auto degrees = FieldDegrees(field, axis, separator, encoding);
  return degrees && IsWithinRange(*degrees, axis);
}

std::optional<CsvLayout> NamedByContent(std::string_view text, char separator,
                                        CsvEncoding encoding) {
  CsvRecords records(text, separator);
  if (records.Next() != CsvRecords::Status::Record) return std::nullopt;
  const auto& fields = records.Fields();
  if (fields.size() <= kHeaderlessLongitude ||
      !HoldsAngle(fields[kHeaderlessLatitude], Axis::Latitude, separator, encoding) ||
      !HoldsAngle(fields[kHeaderlessLongitude], Axis::Longitude, separator, encoding)) {
    return std::nullopt;
  }
  CsvLayout layout{separator, {std::nullopt, kHeaderlessLatitude, kHeaderlessLongitude}, false,
                   "No header line: latitude from column 1, longitude from column 2"};
  bool named = fields.size() > kHeaderlessName &&
               !FieldDegrees(fields[kHeaderlessName], Axis::Longitude, separator, encoding);
  if (named) {
    layout.columns.name = kHeaderlessName;
    layout.note += ", names from column 3";
  }
  layout.note += ".";
  return layout;
}

}  // namespace

std::optional<CsvLayout> FindLayout(std::string_view text, CsvEncoding encoding) {
  for (char separator : kCsvSeparators) {
    if (auto layout = NamedByHeader(text, separator, encoding)) return layout;
  }
  for (char separator : kCsvSeparators) {
    if (auto layout = NamedByContent(text, separator, encoding)) return layout;
  }
  return std::nullopt;
}

}  // namespace tarvik::waypoints::exchange
