#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "platform/Files.h"

namespace tarvik::platform::xml {

// The encodings a document may come in that Tarvik reads itself, so that
// what a file gives does not depend on which XML library runs: Wine's reads
// only UTF-8 and UTF-16.
enum class Encoding { Utf8, Utf16Le, Utf16Be, Latin1, Windows1252, Other };

struct DeclaredEncoding {
  Encoding encoding = Encoding::Utf8;
  std::string name;  // as the declaration spells it; empty when none does
};

// By the byte-order mark, else by the first bytes of UTF-16 text, else by
// the XML declaration's encoding, else UTF-8 as XML has it. US-ASCII counts
// as UTF-8, of which it is a part.
DeclaredEncoding EncodingOf(std::string_view bytes);

// The line of the first byte that is not UTF-8, or nullopt when all are.
std::optional<int> FirstMalformedUtf8Line(std::string_view bytes);

// The text as UTF-8 without a byte-order mark, its declaration then
// saying so; nullopt with the line of the first unpaired surrogate of
// UTF-16. Every ISO-8859-1 or Windows-1252 byte is a character.
struct Converted {
  std::optional<std::string> text;
  int bad_line = 0;
};
Converted ToUtf8(std::string_view bytes, Encoding from);

}  // namespace tarvik::platform::xml
