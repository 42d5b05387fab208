#include "platform/xml/XmlStructure.h"

#include <algorithm>
#include <cstdint>

namespace tarvik::platform::xml {

namespace {

constexpr std::size_t kNotFound = std::string_view::npos;

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
    if (!root_closed_) return {XmlProblem::EndsEarly, LineAt(text_.size())};
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
      // After the root has closed, what follows is the library's to judge.
      if (depth_ > 0 && --depth_ == 0) root_closed_ = true;
      return end + 1;
    }
    return StartTag(at);
  }

  std::size_t StartTag(std::size_t at) {
    for (std::size_t k = at + 1;;) {
      k = text_.find_first_of("\"'>", k);
      if (k == kNotFound) return kNotFound;
      if (text_[k] == '>') {
        bool empty = text_[k - 1] == '/';
        if (!root_closed_) {
          if (!empty) ++depth_;
          else if (depth_ == 0) root_closed_ = true;
        }
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
  int depth_ = 0;
  bool root_closed_ = false;
  std::size_t long_attribute_ = kNotFound;
};

}  // namespace

XmlReadResult CheckStructure(std::string_view utf8) { return Outline(utf8).Check(); }

}  // namespace tarvik::platform::xml
