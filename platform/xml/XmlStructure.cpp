#include "platform/xml/XmlStructure.h"

#include <algorithm>

namespace tarvik::platform::xml {

namespace {

constexpr std::size_t kNotFound = std::string_view::npos;
// Deeper than any KML or GPX nests; past it the outline is not followed and
// the library's own depth limit judges the document.
constexpr std::size_t kMaxFollowedDepth = 1024;

// The markup that is skipped whole, by what follows its '<' and what ends
// it. A "<!" that opens neither a comment nor a CDATA section is a
// declaration.
struct Skipped {
  std::string_view opening;
  std::string_view terminator;
};
constexpr Skipped kComment{"!--", "-->"};
constexpr Skipped kCdata{"![CDATA[", "]]>"};
constexpr std::string_view kInstructionEnd = "?>";
constexpr std::string_view kDeclarationEnd = ">";

bool EndsName(char c) {
  return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '/' || c == '>';
}

bool BeginsCharacter(char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; }

int Newlines(std::string_view text) {
  return static_cast<int>(std::count(text.begin(), text.end(), '\n'));
}

}  // namespace

void StructureCheck::Take(std::string_view piece) {
  // Every step moves on through the piece, or ends it.
  for (std::size_t i = 0; i < piece.size() && !verdict_;) i = Step(piece, i);
}

XmlReadResult StructureCheck::Finish() const {
  if (verdict_) return *verdict_;
  if (state_ != State::Text) return {XmlProblem::EndsEarly, markup_line_};
  if (following_ && !root_closed_) return {XmlProblem::EndsEarly, line_};
  return {};
}

std::size_t StructureCheck::Step(std::string_view text, std::size_t i) {
  switch (state_) {
    case State::Text:
      return InText(text, i);
    case State::Opening:
      return InOpening(text, i);
    case State::Skipped:
      return InSkipped(text, i);
    case State::EndTag:
      return InEndTag(text, i);
    case State::StartTag:
      return InStartTag(text, i);
  }
  return text.size();
}

std::size_t StructureCheck::InText(std::string_view text, std::size_t i) {
  std::size_t at = text.find('<', i);
  std::size_t end = at == kNotFound ? text.size() : at;
  line_ += Newlines(text.substr(i, end - i));
  if (at == kNotFound) return end;
  markup_line_ = line_;
  state_ = State::Opening;
  opening_.clear();
  return at + 1;
}

// The character after '<' tells the kind of markup, but for "<!": a
// comment, a CDATA section or a declaration, known from at most eight
// characters; those read beyond "<!" are then read again as the
// declaration's content.
std::size_t StructureCheck::InOpening(std::string_view text, std::size_t i) {
  if (opening_.empty()) {
    switch (text[i]) {
      case '?':
        BeginMarkup(State::Skipped, kInstructionEnd);
        return i + 1;
      case '/':
        BeginMarkup(State::EndTag, {});
        return i + 1;
      case '!':
        break;
      default:
        BeginMarkup(State::StartTag, {});
        return i;  // its name begins right after '<'
    }
  }
  opening_ += text[i];
  for (const Skipped& kind : {kComment, kCdata}) {
    if (opening_ == kind.opening) {
      BeginMarkup(State::Skipped, kind.terminator);
      return i + 1;
    }
  }
  if (kComment.opening.starts_with(opening_) || kCdata.opening.starts_with(opening_)) return i + 1;
  BeginMarkup(State::Skipped, kDeclarationEnd);
  const std::string again = opening_.substr(1);
  for (std::size_t k = 0; k < again.size();) k = Step(again, k);
  return i + 1;
}

void StructureCheck::BeginMarkup(State state, std::string_view terminator) {
  state_ = state;
  terminator_ = terminator;
  matched_ = 0;
  name_ = {};
  name_ended_ = false;
  quote_ = 0;
  previous_ = '<';
}

// A terminator begun at the end of the text before is followed a character
// at a time; where none is begun, it is searched for whole.
std::size_t StructureCheck::InSkipped(std::string_view text, std::size_t i) {
  while (matched_ > 0 && i < text.size()) {
    char c = text[i++];
    if (c == '\n') ++line_;
    matched_ = Matched(matched_, c);
    if (matched_ == terminator_.size()) {
      state_ = State::Text;
      return i;
    }
  }
  std::size_t found = text.find(terminator_, i);
  std::size_t end = found == kNotFound ? text.size() : found + terminator_.size();
  line_ += Newlines(text.substr(i, end - i));
  if (found != kNotFound) {
    state_ = State::Text;
    return end;
  }
  std::size_t tail = text.size() - std::min(text.size() - i, terminator_.size() - 1);
  for (std::size_t k = tail; k < text.size(); ++k) matched_ = Matched(matched_, text[k]);
  return end;
}

// How much of the terminator ends the text after `c`, when `matched` of it
// ended the text before: the longest beginning of it that does.
std::size_t StructureCheck::Matched(std::size_t matched, char c) const {
  for (std::size_t j = std::min(matched + 1, terminator_.size()); j > 0; --j) {
    if (terminator_[j - 1] == c &&
        terminator_.substr(0, j - 1) == terminator_.substr(matched + 1 - j, j - 1)) {
      return j;
    }
  }
  return 0;
}

std::size_t StructureCheck::InEndTag(std::string_view text, std::size_t i) {
  while (!name_ended_ && i < text.size()) {
    if (EndsName(text[i])) {
      name_ended_ = true;
      break;
    }
    name_.Add(text[i++]);
  }
  if (!name_ended_) return i;
  std::size_t at = text.find('>', i);
  std::size_t end = at == kNotFound ? text.size() : at + 1;
  line_ += Newlines(text.substr(i, end - i));
  if (at == kNotFound) return end;
  Close();
  state_ = State::Text;
  return end;
}

// The element's name runs from '<' to the first character that ends a
// name, within a quoted value or not; the tag ends at the first '>'
// outside quotes.
std::size_t StructureCheck::InStartTag(std::string_view text, std::size_t i) {
  while (i < text.size()) {
    if (quote_ && name_ended_) {
      // Within a value only its closing quote matters.
      std::size_t close = text.find(quote_, i);
      std::size_t end = close == kNotFound ? text.size() : close;
      std::string_view value = text.substr(i, end - i);
      line_ += Newlines(value);
      value_characters_ +=
          static_cast<std::size_t>(std::count_if(value.begin(), value.end(), BeginsCharacter));
      if (!value.empty()) previous_ = value.back();
      i = end;
      if (close == kNotFound) return i;
    }
    char c = text[i++];
    if (c == '\n') ++line_;
    if (!name_ended_) {
      if (EndsName(c))
        name_ended_ = true;
      else
        name_.Add(c);
    }
    if (quote_) {
      if (c != quote_) {
        value_characters_ += BeginsCharacter(c);
      } else {
        quote_ = 0;
        if (value_characters_ > kMaxXmlAttributeCharacters) {
          verdict_ = XmlReadResult{XmlProblem::AttributeTooLong, quote_line_};
          return i;
        }
      }
    } else if (c == '"' || c == '\'') {
      quote_ = c;
      quote_line_ = line_;
      value_characters_ = 0;
    } else if (c == '>') {
      Open(previous_ == '/');
      state_ = State::Text;
      return i;
    }
    previous_ = c;
  }
  return i;
}

void StructureCheck::Open(bool empty) {
  if (!following_ || root_closed_) return;
  if (empty) {
    if (open_.empty()) root_closed_ = true;
    return;
  }
  open_.push_back(name_);
  if (open_.size() > kMaxFollowedDepth) following_ = false;
}

// An end tag that does not close the element last opened is not a cut but
// a fault, the library's to report with its place; so is anything after
// the root has closed.
void StructureCheck::Close() {
  if (!following_ || root_closed_) return;
  if (open_.empty() || open_.back() != name_) {
    following_ = false;
    return;
  }
  open_.pop_back();
  if (open_.empty()) root_closed_ = true;
}

XmlReadResult CheckStructure(std::string_view utf8) {
  StructureCheck check;
  check.Take(utf8);
  return check.Finish();
}

}  // namespace tarvik::platform::xml
