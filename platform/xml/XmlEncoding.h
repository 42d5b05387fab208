#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace tarvik::platform::xml {

// The encodings a document may come in that Tarvik reads itself, so that
// what a file gives does not depend on which XML library runs: Wine's reads
// only UTF-8 and UTF-16.
enum class Encoding { Utf8, Utf16Le, Utf16Be, Latin1, Windows1252, Other };

// How far into a document its XML declaration is looked for: a text read a
// piece at a time is judged by the same bytes as one read whole.
inline constexpr std::size_t kDeclarationReach = 1024;

struct DeclaredEncoding {
  Encoding encoding = Encoding::Utf8;
  std::string name;  // as the declaration spells it; empty when none does
};

// By the byte-order mark, else by the first bytes of UTF-16 text, else by
// the XML declaration's encoding, else UTF-8 as XML has it. US-ASCII counts
// as UTF-8, of which it is a part.
DeclaredEncoding EncodingOf(std::string_view bytes);

// The declaration of a text now in UTF-8 says so.
void DeclareUtf8(std::string& text);

}  // namespace tarvik::platform::xml
