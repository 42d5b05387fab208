#include "waypoints/exchange/CsvWaypoints.h"

#include <algorithm>

#include "waypoints/exchange/Csv.h"
#include "waypoints/exchange/CsvLayout.h"
#include "waypoints/exchange/Windows1252.h"

namespace tarvik::waypoints::exchange {

namespace {

constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";
// Two and a half times the largest list Tarvik is measured with: a table
// of more rows is refused before its rows make the import take more than a
// few seconds under Wine.
constexpr int kMostRows = 250000;
// A name longer than this, in bytes of UTF-8, is no name.
constexpr size_t kLongestNameField = 65536;

ImportOutcome Refused(std::string reason) { return {{}, ImportRefusal{std::move(reason)}}; }

std::string OnLine(int line) { return "line " + std::to_string(line); }

std::string_view FieldAt(const std::vector<std::string_view>& fields, size_t column) {
  return column < fields.size() ? fields[column] : std::string_view{};
}

bool AllBlank(const std::vector<std::string_view>& fields) {
  return std::all_of(fields.begin(), fields.end(), IsBlankField);
}

// The rows of a table of the given layout, or why it is refused.
class TableReader {
 public:
  TableReader(std::string_view text, const CsvLayout& layout, CsvEncoding encoding)
      : records_(text, layout.separator), layout_(layout), encoding_(encoding) {}

  std::optional<ImportRefusal> Read(BatchBuilder& builder) {
    using Status = CsvRecords::Status;
    Status status = records_.Next();
    if (layout_.header && status == Status::Record) status = records_.Next();
    int rows = 0;
    for (; status == Status::Record; status = records_.Next()) {
      const auto& fields = records_.Fields();
      if (AllBlank(fields)) continue;
      if (++rows > kMostRows) {
        return ImportRefusal{"it has more than " + std::to_string(kMostRows) + " rows"};
      }
      if (auto refusal = TakeRow(fields, builder)) return refusal;
    }
    if (status == Status::UnclosedQuote) {
      return ImportRefusal{"the quoted field that starts on " + OnLine(records_.Line()) +
                           " never ends"};
    }
    if (status == Status::TooManyFields) {
      return ImportRefusal{OnLine(records_.Line()) + " has more than " +
                           std::to_string(CsvRecords::kMostFields) + " fields"};
    }
    return std::nullopt;
  }

 private:
  std::optional<ImportRefusal> TakeRow(const std::vector<std::string_view>& fields,
                                       BatchBuilder& builder) {
    const CsvColumns& columns = layout_.columns;
    std::string_view name = columns.name ? FieldAt(fields, *columns.name) : std::string_view{};
    if (IsLongerThan(name, kLongestNameField, encoding_)) {
      return ImportRefusal{OnLine(records_.Line()) + " holds a name of more than " +
                           std::to_string(kLongestNameField) + " bytes"};
    }
    auto degrees = [&](size_t column, Axis axis) -> std::optional<double> {
      if (column >= fields.size()) return std::nullopt;
      return FieldDegrees(fields[column], axis, layout_.separator, encoding_);
    };
    auto latitude = degrees(columns.latitude, Axis::Latitude);
    auto longitude = degrees(columns.longitude, Axis::Longitude);
    // Without a header, a row that does not start with a position says
    // that the table is not one of positions after all.
    bool position = latitude && longitude && IsWithinRange(*latitude, Axis::Latitude) &&
                    IsWithinRange(*longitude, Axis::Longitude);
    if (!layout_.header && !position) {
      return ImportRefusal{"it has no header line, and " + OnLine(records_.Line()) +
                           " does not start with a latitude and a longitude"};
    }
    builder.AddDegrees(NameText(name), latitude, longitude, records_.Line());
    return std::nullopt;
  }

  // The name's text: where it stands when it can be, else decoded and
  // held until the next row.
  std::string_view NameText(std::string_view field) {
    if (encoding_ == CsvEncoding::Utf8 && field.find('"') == std::string_view::npos) return field;
    name_ = FieldText(field, encoding_);
    return name_;
  }

  CsvRecords records_;
  const CsvLayout& layout_;
  CsvEncoding encoding_;
  std::string name_;
};

}  // namespace

ImportOutcome ReadCsvWaypoints(std::string_view bytes) {
  const bool marked = bytes.starts_with(kUtf8Mark);
  if (marked) bytes.remove_prefix(kUtf8Mark.size());
  CsvEncoding encoding = CsvEncoding::Utf8;
  if (auto line = FirstNonUtf8Line(bytes)) {
    // The mark says UTF-8: bytes that are not are damage, not another code page.
    if (marked) return Refused("it is not UTF-8 text (" + OnLine(*line) + ")");
    encoding = CsvEncoding::Windows1252;
  }
  auto layout = FindLayout(bytes, encoding);
  if (!layout) return Refused("its first line does not name a latitude and a longitude column");

  BatchBuilder builder;
  if (auto refusal = TableReader(bytes, *layout, encoding).Read(builder)) {
    return {{}, std::move(*refusal)};
  }
  builder.Note(layout->note);
  if (encoding == CsvEncoding::Windows1252) {
    builder.Note("The file is not UTF-8 text; it was read as Windows-1252.");
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
