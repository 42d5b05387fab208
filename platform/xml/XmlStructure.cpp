#include "platform/xml/XmlStructure.h"

#include <algorithm>
#include <cstdint>
#include <vector>

namespace tarvik::platform::xml {

namespace {

constexpr std::size_t kNotFound = std::string_view::npos;
constexpr std::string_view kNameEnds = " \t\r\n/>";
// Deeper than any KML or GPX nests; past it the outline is not followed and
// the library's own depth limit judges the document.
constexpr std::size_t kMaxFollowedDepth = 1024;

// The markup that is skipped whole, by how it begins and ends.
struct Skipped {
  std::string_view begins;
  std::string_view ends;
};
constexpr Skipped kSkipped[] = {{"<!--", "-->"}, {"<![CDATA[", "]]>"}, {"<?", "?>"}, {"<!", ">"}};

class Outline {
 public:
  explicit Outline(std::string_view text) : text_(text) {}

  XmlReadResult Check() {
    // Every step moves `at` past the markup it looked at, or ends.
    for (std::size_t at = text_.find('<'); at != kNotFound; at = text_.find('<', at)) {
      std::size_t next = Markup(at);
      if (next == kNotFound) return {XmlProblem::EndsEarly, LineAt(at)};
      if (long_attribute_ != kNotFound) return {XmlProblem::AttributeTooLong, LineAt(long_attribute_)};
      at = next;
    }
    if (following_ && !root_closed_) return {XmlProblem::EndsEarly, LineAt(text_.size())};
    return {};
  }

 private:
  // Past the markup that begins at `at`, or kNotFound when it never ends.
  std::size_t Markup(std::size_t at) {
    std::string_view rest = text_.substr(at);
    for (const auto& skipped : kSkipped) {
      if (!rest.starts_with(skipped.begins)) continue;
      std::size_t end = text_.find(skipped.ends, at + skipped.begins.size());
      return end == kNotFound ? kNotFound : end + skipped.ends.size();
    }
    if (rest.starts_with("</")) {
      std::size_t end = text_.find('>', at + 2);
      if (end == kNotFound) return kNotFound;
      Close(NameAt(at + 2));
      return end + 1;
    }
    return StartTag(at);
  }

  std::string_view NameAt(std::size_t at) const {
    std::size_t end = at;
    while (end < text_.size() && kNameEnds.find(text_[end]) == kNotFound) ++end;
    return text_.substr(at, end - at);
  }

  void Open(std::string_view name, bool empty) {
    if (!following_ || root_closed_) return;
    if (empty) {
      if (open_.empty()) root_closed_ = true;
      return;
    }
    open_.push_back(name);
    if (open_.size() > kMaxFollowedDepth) following_ = false;
  }

  // An end tag that does not close the element last opened is not a cut
  // but a fault, the library's to report with its place; so is anything
  // after the root has closed.
  void Close(std::string_view name) {
    if (!following_ || root_closed_) return;
    if (open_.empty() || open_.back() != name) {
      following_ = false;
      return;
    }
    open_.pop_back();
    if (open_.empty()) root_closed_ = true;
  }

  // The first quote or '>' from `k`: find_first_of would look each
  // character up in the set by a call of its own.
  std::size_t QuoteOrEnd(std::size_t k) const {
    for (; k < text_.size(); ++k) {
      char c = text_[k];
      if (c == '"' || c == '\'' || c == '>') return k;
    }
    return kNotFound;
  }

  std::size_t StartTag(std::size_t at) {
    for (std::size_t k = at + 1;;) {
      k = QuoteOrEnd(k);
      if (k == kNotFound) return kNotFound;
      if (text_[k] == '>') {
        Open(NameAt(at + 1), text_[k - 1] == '/');
        return k + 1;
      }
      std::size_t close = text_.find(text_[k], k + 1);
      if (close == kNotFound) return kNotFound;
      if (Characters(k + 1, close) > kMaxXmlAttributeCharacters) {
        long_attribute_ = k;
        return close + 1;
      }
      k = close + 1;
    }
  }

  // UTF-8 characters in [from, to): the bytes that begin one.
  std::size_t Characters(std::size_t from, std::size_t to) const {
    if (to - from <= kMaxXmlAttributeCharacters) return to - from;
    return static_cast<std::size_t>(
        std::count_if(text_.begin() + static_cast<long>(from), text_.begin() + static_cast<long>(to),
                      [](char c) { return (static_cast<std::uint8_t>(c) & 0xC0) != 0x80; }));
  }

  int LineAt(std::size_t offset) const {
    return 1 + static_cast<int>(
                   std::count(text_.begin(), text_.begin() + static_cast<long>(offset), '\n'));
  }

  std::string_view text_;
  std::vector<std::string_view> open_;  // the elements open, outermost first
  bool following_ = true;
  bool root_closed_ = false;
  std::size_t long_attribute_ = kNotFound;
};

}  // namespace

XmlReadResult CheckStructure(std::string_view utf8) { return Outline(utf8).Check(); }

}  // namespace tarvik::platform::xml
