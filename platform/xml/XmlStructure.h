#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Xml.h"

namespace tarvik::platform::xml {

// What an XML library cannot be trusted to say the same way everywhere,
// read from the text before it sees it: whether the root element is
// closed in it (a file cut short is refused, where a library may close
// the open elements itself or report the last node over and over), and
// whether an attribute value is longer than kMaxXmlAttributeCharacters (the
// library would hold it whole before anything could refuse it).
//
// Only the markup's outline is followed: where tags, comments, CDATA
// sections and processing instructions begin and end, quotes within tags,
// and which element each end tag closes. Whether the rest is well-formed
// is the library's to say: an end tag that closes another element than the
// one open is left to it, which reports its place.
//
// The text comes a piece at a time, cut anywhere, and none of it is kept:
// the verdict is the same as for the whole text at once.
class StructureCheck {
 public:
  // The next piece of the UTF-8 text.
  void Take(std::string_view piece);
  // A problem is found, which the rest of the text cannot change.
  bool Done() const { return verdict_.has_value(); }
  // Once the text has ended: EndsEarly or AttributeTooLong with its line,
  // or None.
  XmlReadResult Finish() const;

 private:
  enum class State { Text, Opening, Skipped, EndTag, StartTag };

  // An element's name by its length and a hash of its bytes, so that no
  // name is held however long it is. Two names that hash alike only let an
  // end tag that closes the wrong element pass here: the library reports it.
  struct Name {
    std::uint32_t hash = 2166136261u;
    std::size_t length = 0;
    void Add(char c) {
      hash = (hash ^ static_cast<std::uint8_t>(c)) * 16777619u;
      ++length;
    }
    bool operator==(const Name&) const = default;
  };

  std::size_t Step(std::string_view text, std::size_t i);
  std::size_t InText(std::string_view text, std::size_t i);
  std::size_t InOpening(std::string_view text, std::size_t i);
  std::size_t InSkipped(std::string_view text, std::size_t i);
  std::size_t InEndTag(std::string_view text, std::size_t i);
  std::size_t InStartTag(std::string_view text, std::size_t i);
  void BeginMarkup(State state, std::string_view terminator);
  std::size_t Matched(std::size_t matched, char c) const;
  void Open(bool empty);
  void Close();

  State state_ = State::Text;
  int line_ = 1;         // where the text read so far ends
  int markup_line_ = 0;  // of the '<' that begins the markup being read
  std::string opening_;  // what follows '<' while the kind of markup is unknown
  std::string_view terminator_;  // of a comment, CDATA section or the like
  std::size_t matched_ = 0;      // of the terminator, at the end of the text so far
  Name name_;
  bool name_ended_ = false;
  char quote_ = 0;  // of the attribute value being read, if any
  int quote_line_ = 0;
  std::size_t value_characters_ = 0;
  char previous_ = 0;       // the character before, within a start tag
  std::vector<Name> open_;  // the elements open, outermost first
  bool following_ = true;
  bool root_closed_ = false;
  std::optional<XmlReadResult> verdict_;
};

// The same for a whole text.
XmlReadResult CheckStructure(std::string_view utf8);

}  // namespace tarvik::platform::xml
