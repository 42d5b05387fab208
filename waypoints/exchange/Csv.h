#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tarvik::waypoints::exchange {

struct CsvRecord {
  std::vector<std::string> fields;
  int line;  // where the record starts, from 1
};

struct CsvSplit {
  std::vector<CsvRecord> records;
  // A quoted field that is still open at the end of the text, and where it
  // started: the rest of the file would vanish into it.
  std::optional<int> unclosed_quote_line;
};

// Splits text into records as RFC 4180 has it: fields apart by the
// separator, a field in double quotes may hold separators, line ends and
// doubled quotes. Lines end in CR LF, LF or CR. Empty lines are left out.
CsvSplit SplitCsv(std::string_view text, char separator);

// The first record alone, for finding the separator from the header.
std::string_view FirstRecordText(std::string_view text);

// One field as written: in double quotes when it holds the separator, a
// quote, a line end or blanks at either end.
std::string CsvField(std::string_view value, char separator);

}  // namespace tarvik::waypoints::exchange
