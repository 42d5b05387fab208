#include "waypoints/exchange/Csv.h"

namespace tarvik::waypoints::exchange {

namespace {

bool IsLineEnd(char c) { return c == '\r' || c == '\n'; }

// Moves past one line end (CR LF counts as one) and counts it.
void SkipLineEnd(std::string_view text, size_t& i, int& line) {
  if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
  ++i;
  ++line;
}

class Splitter {
 public:
  Splitter(std::string_view text, char separator) : text_(text), separator_(separator) {}

  CsvSplit Run() {
    while (i_ < text_.size()) ReadRecord();
    return std::move(result_);
  }

 private:
  void ReadRecord() {
    CsvRecord record{{}, line_};
    bool quoted_any = false;
    for (;;) {
      std::string field;
      if (i_ < text_.size() && text_[i_] == '"') {
        quoted_any = true;
        if (!ReadQuoted(field)) {
          result_.unclosed_quote_line = record.line;
          return;
        }
      }
      while (i_ < text_.size() && text_[i_] != separator_ && !IsLineEnd(text_[i_])) {
        field += text_[i_++];
      }
      record.fields.push_back(std::move(field));
      if (i_ < text_.size() && text_[i_] == separator_) {
        ++i_;
        continue;
      }
      break;
    }
    if (i_ < text_.size()) SkipLineEnd(text_, i_, line_);
    bool empty_line = !quoted_any && record.fields.size() == 1 && record.fields[0].empty();
    if (!empty_line) result_.records.push_back(std::move(record));
  }

  // From the opening quote to just past the closing one; false when the
  // text ends first.
  bool ReadQuoted(std::string& field) {
    ++i_;
    while (i_ < text_.size()) {
      char c = text_[i_];
      if (c == '"') {
        if (i_ + 1 < text_.size() && text_[i_ + 1] == '"') {
          field += '"';
          i_ += 2;
          continue;
        }
        ++i_;
        return true;
      }
      if (IsLineEnd(c)) {
        size_t start = i_;
        SkipLineEnd(text_, i_, line_);
        field.append(text_.substr(start, i_ - start));
        continue;
      }
      field += c;
      ++i_;
    }
    return false;
  }

  std::string_view text_;
  char separator_;
  size_t i_ = 0;
  int line_ = 1;
  CsvSplit result_;
};

}  // namespace

CsvSplit SplitCsv(std::string_view text, char separator) { return Splitter(text, separator).Run(); }

std::string_view FirstRecordText(std::string_view text) {
  size_t start = text.find_first_not_of("\r\n");
  if (start == std::string_view::npos) return {};
  bool quoted = false;
  for (size_t i = start; i < text.size(); ++i) {
    if (text[i] == '"')
      quoted = !quoted;
    else if (!quoted && IsLineEnd(text[i]))
      return text.substr(start, i - start);
  }
  return text.substr(start);
}

std::string CsvField(std::string_view value, char separator) {
  bool needs_quotes =
      value.find_first_of(std::string{'"', '\r', '\n', separator}) != std::string_view::npos ||
      (!value.empty() && (value.front() == ' ' || value.back() == ' '));
  if (!needs_quotes) return std::string(value);
  std::string field = "\"";
  for (char c : value) {
    if (c == '"') field += '"';
    field += c;
  }
  field += '"';
  return field;
}

}  // namespace tarvik::waypoints::exchange
