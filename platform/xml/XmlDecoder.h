#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "platform/Xml.h"
#include "platform/xml/XmlEncoding.h"

namespace tarvik::platform::xml {

// A document's bytes, handed in a piece at a time, as the UTF-8 text the
// XML library is given: UTF-8 as it is, once checked; ISO-8859-1,
// Windows-1252 and UTF-16 converted, without a byte-order mark, their
// declaration then saying UTF-8. The text is the same wherever the pieces
// are cut, and nothing of it is kept but the piece at hand and the
// beginning, until the declaration can be judged.
class XmlDecoder {
 public:
  XmlDecoder() = default;
  // For bytes that have passed through a decoder once already: UTF-8 is
  // handed on as it is, without looking at it again.
  static XmlDecoder ForCheckedBytes() {
    XmlDecoder decoder;
    decoder.utf8_checked_ = true;
    return decoder;
  }

  // The text of the next piece of bytes, or of some of it, or of more than
  // it once the beginning is passed on; valid until the next call.
  std::string_view Take(std::string_view bytes);
  // The rest of the text, once the bytes have ended.
  std::string_view Finish();
  // None; UnknownEncoding with the declared name; or Encoding with the line
  // of the first byte that is not text in the document's encoding, as the
  // whole of it would be judged. After a problem no more text comes.
  const XmlReadResult& Problem() const { return problem_; }

 private:
  std::string_view Begin(std::string_view bytes);
  std::string_view Decode(std::string_view bytes);
  std::string_view Pass(bool ending);
  bool CheckUtf8(std::string_view bytes);
  bool ContinueUtf8(std::uint8_t byte);
  void ConvertSingleBytes(std::string_view bytes);
  bool ConvertUtf16(std::string_view bytes);
  bool TakeUtf16Unit(char16_t unit);
  bool EndsWhole();
  bool Fail(int line);

  XmlReadResult problem_;
  bool sniffed_ = false;
  Encoding encoding_ = Encoding::Utf8;
  std::string head_;  // the bytes before the encoding is known
  std::string out_;   // converted text of the piece at hand
  std::string held_;  // converted text held until its declaration is judged
  bool passed_on_ = false;
  bool utf8_checked_ = false;
  int line_ = 1;
  // A UTF-8 sequence begun and not yet complete: its bytes still to come,
  // its length, the code point so far and the line of its first byte.
  unsigned missing_ = 0;
  unsigned length_ = 0;
  char32_t code_ = 0;
  int lead_line_ = 1;
  // UTF-16: the first byte of a unit, and a high surrogate waiting for its
  // low one.
  std::optional<std::uint8_t> half_unit_;
  char16_t high_surrogate_ = 0;
  bool first_unit_ = true;
};

}  // namespace tarvik::platform::xml
