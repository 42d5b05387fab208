#include "platform/xml/XmlEncoding.h"

#include <optional>
#include <utility>

namespace tarvik::platform::xml {

namespace {

std::string Lower(std::string_view text) {
  std::string lower(text);
  for (auto& c : lower) c = static_cast<char>(c >= 'A' && c <= 'Z' ? c + 32 : c);
  return lower;
}

// Where the value of the XML declaration's encoding stands, when the text
// begins with a declaration that has one within kDeclarationReach.
std::optional<std::pair<std::size_t, std::size_t>> DeclaredNameAt(std::string_view text) {
  text = text.substr(0, kDeclarationReach);
  if (!text.starts_with("<?xml")) return std::nullopt;
  std::string_view declaration = text.substr(0, text.find("?>"));
  std::size_t at = declaration.find("encoding");
  if (at == std::string_view::npos) return std::nullopt;
  std::size_t quote = declaration.find_first_of("\"'", at);
  if (quote == std::string_view::npos) return std::nullopt;
  std::size_t end = declaration.find(declaration[quote], quote + 1);
  if (end == std::string_view::npos) return std::nullopt;
  return std::pair{quote + 1, end - quote - 1};
}

Encoding ByName(const std::string& lower) {
  for (const char* name : {"iso-8859-1", "iso_8859-1", "iso8859-1", "latin1", "latin-1", "l1"}) {
    if (lower == name) return Encoding::Latin1;
  }
  for (const char* name : {"windows-1252", "cp1252", "x-cp1252"}) {
    if (lower == name) return Encoding::Windows1252;
  }
  // A document that declares UTF-16 but is not in it goes to the XML library
  // as it is, which says what is wrong with it.
  for (const char* name : {"utf-8", "utf8", "us-ascii", "ascii", "utf-16", "utf-16le", "utf-16be"}) {
    if (lower == name) return Encoding::Utf8;
  }
  return Encoding::Other;
}

}  // namespace

DeclaredEncoding EncodingOf(std::string_view bytes) {
  if (bytes.starts_with("\xEF\xBB\xBF")) return {Encoding::Utf8, {}};
  if (bytes.starts_with("\xFF\xFE") || bytes.starts_with(std::string_view("<\0?\0", 4))) {
    return {Encoding::Utf16Le, {}};
  }
  if (bytes.starts_with("\xFE\xFF") || bytes.starts_with(std::string_view("\0<\0?", 4))) {
    return {Encoding::Utf16Be, {}};
  }
  auto at = DeclaredNameAt(bytes);
  if (!at) return {Encoding::Utf8, {}};
  std::string name(bytes.substr(at->first, at->second));
  return {ByName(Lower(name)), name};
}

void DeclareUtf8(std::string& text) {
  if (auto at = DeclaredNameAt(text)) text.replace(at->first, at->second, "UTF-8");
}

}  // namespace tarvik::platform::xml
