#include "waypoints/exchange/Csv.h"

namespace tarvik::waypoints::exchange {

namespace {

bool IsLineEnd(char c) { return c == '\r' || c == '\n'; }

std::string_view TrimBlanks(std::string_view text) {
  size_t first = text.find_first_not_of(" \t");
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

}  // namespace

CsvRecords::CsvRecords(std::string_view text, char separator)
    : text_(text), separator_(separator) {}

CsvRecords::Status CsvRecords::Next() {
  // Every pass takes at least one byte: a quote, a field's byte, a
  // separator or a line end.
  while (i_ < text_.size()) {
    fields_.clear();
    record_line_ = line_;
    bool quoted_any = false;
    for (;;) {
      const size_t start = i_;
      if (i_ < text_.size() && text_[i_] == '"') {
        quoted_any = true;
        if (!SkipQuoted()) {
          i_ = text_.size();
          return Status::UnclosedQuote;
        }
      }
      while (i_ < text_.size() && text_[i_] != separator_ && !IsLineEnd(text_[i_])) ++i_;
      if (fields_.size() == kMostFields) {
        i_ = text_.size();
        return Status::TooManyFields;
      }
      fields_.push_back(text_.substr(start, i_ - start));
      if (i_ < text_.size() && text_[i_] == separator_) {
        ++i_;
        continue;
      }
      break;
    }
    if (i_ < text_.size()) SkipLineEnd();
    bool empty_line = !quoted_any && fields_.size() == 1 && fields_[0].empty();
    if (!empty_line) return Status::Record;
  }
  fields_.clear();
  return Status::End;
}

// From the opening quote to just past the closing one, counting the line
// ends inside; false when the text ends first.
bool CsvRecords::SkipQuoted() {
  ++i_;
  while (i_ < text_.size()) {
    char c = text_[i_];
    if (c == '"') {
      if (i_ + 1 < text_.size() && text_[i_ + 1] == '"') {
        i_ += 2;
        continue;
      }
      ++i_;
      return true;
    }
    if (IsLineEnd(c))
      SkipLineEnd();
    else
      ++i_;
  }
  return false;
}

// Moves past one line end (CR LF counts as one) and counts it.
void CsvRecords::SkipLineEnd() {
  if (text_[i_] == '\r' && i_ + 1 < text_.size() && text_[i_ + 1] == '\n') ++i_;
  ++i_;
  ++line_;
}

std::string FieldValue(std::string_view field) {
  if (field.empty() || field.front() != '"') return std::string(field);
  std::string value;
  value.reserve(field.size());
  size_t i = 1;
  for (; i < field.size(); ++i) {
    if (field[i] != '"') {
      value += field[i];
    } else if (i + 1 < field.size() && field[i + 1] == '"') {
      value += '"';
      ++i;
    } else {
      ++i;
      break;
    }
  }
  value.append(field.substr(i));
  return value;
}

bool IsBlankField(std::string_view field) {
  if (field.find('"') == std::string_view::npos) return TrimBlanks(field).empty();
  return TrimBlanks(FieldValue(field)).empty();
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
