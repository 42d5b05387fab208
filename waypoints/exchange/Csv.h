#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace tarvik::waypoints::exchange {

// The records of a text as RFC 4180 has them: fields apart by the
// separator, a field in double quotes may hold separators, line ends and
// doubled quotes. Lines end in CR LF, LF or CR. Empty lines are left out.
// One record at a time, each field as it stands in the text, so that
// reading a table holds no more than one record's places beside the text.
class CsvRecords {
 public:
  // As many columns as a spreadsheet has; a record with more is refused
  // rather than held, whatever its fields hold.
  static constexpr std::size_t kMostFields = 16384;

  enum class Status {
    Record,         // Fields() and Line() hold the next record
    End,            // no record is left
    UnclosedQuote,  // a quoted field starting in the record at Line() never ends
    TooManyFields,  // the record at Line() has more than kMostFields fields
  };

  CsvRecords(std::string_view text, char separator);

  // Moves on to the next record. Once it has said anything but Record it
  // says End.
  Status Next();
  // Each field's text from its first byte to the separator or line end
  // after it, quotes and all: FieldValue gives what it holds.
  const std::vector<std::string_view>& Fields() const { return fields_; }
  int Line() const { return record_line_; }  // where the record starts, from 1

 private:
  bool SkipQuoted();
  void SkipLineEnd();

  std::string_view text_;
  char separator_;
  std::size_t i_ = 0;
  int line_ = 1;
  int record_line_ = 0;
  std::vector<std::string_view> fields_;
};

// What a field as it stands in the text holds: the quotes taken off a
// quoted one and its doubled quotes made single; text after its closing
// quote is kept.
std::string FieldValue(std::string_view field);

// Whether the field holds nothing but blanks, without taking it apart.
bool IsBlankField(std::string_view field);

// One field as written: in double quotes when it holds the separator, a
// quote, a line end or blanks at either end.
std::string CsvField(std::string_view value, char separator);

}  // namespace tarvik::waypoints::exchange
