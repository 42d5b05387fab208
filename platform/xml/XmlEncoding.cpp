#include "platform/xml/XmlEncoding.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <utility>

#include "platform/TextEncoding.h"

namespace tarvik::platform::xml {

namespace {

constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";

std::uint8_t At(std::string_view bytes, std::size_t i) { return static_cast<std::uint8_t>(bytes[i]); }

std::string Lower(std::string_view text) {
  std::string lower(text);
  for (auto& c : lower) c = static_cast<char>(c >= 'A' && c <= 'Z' ? c + 32 : c);
  return lower;
}

// Where the value of the XML declaration's encoding stands, when the text
// begins with a declaration that has one.
std::optional<std::pair<std::size_t, std::size_t>> DeclaredNameAt(std::string_view text) {
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

// The length of the UTF-8 sequence at `i`, or 0 when it is malformed
// (a bad lead or continuation, overlong, a surrogate, beyond U+10FFFF).
std::size_t SequenceLength(std::string_view bytes, std::size_t i) {
  std::uint8_t lead = At(bytes, i);
  std::size_t length = lead < 0x80            ? 1
                       : (lead >> 5) == 0x6   ? 2
                       : (lead >> 4) == 0xE   ? 3
                       : (lead >> 3) == 0x1E  ? 4
                                              : 0;
  if (length <= 1) return length;
  if (i + length > bytes.size()) return 0;
  char32_t code = lead & (0x7F >> length);
  for (std::size_t k = 1; k < length; ++k) {
    std::uint8_t next = At(bytes, i + k);
    if ((next & 0xC0) != 0x80) return 0;
    code = (code << 6) | (next & 0x3F);
  }
  static constexpr char32_t kSmallest[] = {0, 0, 0x80, 0x800, 0x10000};
  bool overlong = code < kSmallest[length];
  bool surrogate = code >= 0xD800 && code <= 0xDFFF;
  return overlong || surrogate || code > 0x10FFFF ? 0 : length;
}

int LineAt(std::string_view bytes, std::size_t offset) {
  return 1 + static_cast<int>(std::count(bytes.begin(), bytes.begin() + static_cast<long>(offset), '\n'));
}

Converted FromUtf16(std::string_view bytes, bool little_endian) {
  std::size_t i = bytes.starts_with(little_endian ? "\xFF\xFE" : "\xFE\xFF") ? 2 : 0;
  auto unit = [&](std::size_t k) -> char16_t {
    return little_endian ? static_cast<char16_t>(At(bytes, k) | At(bytes, k + 1) << 8)
                         : static_cast<char16_t>(At(bytes, k) << 8 | At(bytes, k + 1));
  };
  std::string out;
  out.reserve(bytes.size() / 2 + bytes.size() / 8);
  int line = 1;
  while (i + 1 < bytes.size()) {
    char32_t c = unit(i);
    i += 2;
    if (c >= 0xD800 && c <= 0xDBFF && i + 1 < bytes.size()) {
      char32_t low = unit(i);
      if (low >= 0xDC00 && low <= 0xDFFF) {
        c = 0x10000 + ((c - 0xD800) << 10) + (low - 0xDC00);
        i += 2;
      }
    }
    if (c >= 0xD800 && c <= 0xDFFF) return {std::nullopt, line};
    if (c == '\n') ++line;
    AppendUtf8(c, out);
  }
  if (i != bytes.size()) return {std::nullopt, line};  // half a character at the end
  return {std::move(out), 0};
}

std::string FromSingleBytes(std::string_view bytes, Encoding from) {
  std::string out;
  out.reserve(bytes.size() + bytes.size() / 16);
  for (std::size_t i = 0; i < bytes.size();) {
    // Runs of ASCII are copied whole: most of any real file.
    std::size_t run = i;
    while (run < bytes.size() && At(bytes, run) < 0x80) ++run;
    out.append(bytes.substr(i, run - i));
    if (run == bytes.size()) break;
    std::uint8_t byte = At(bytes, run);
    AppendUtf8(from == Encoding::Windows1252 ? Windows1252Character(byte) : byte, out);
    i = run + 1;
  }
  return out;
}

// The declaration of a text now in UTF-8 says so.
void DeclareUtf8(std::string& text) {
  if (auto at = DeclaredNameAt(text)) text.replace(at->first, at->second, "UTF-8");
}

}  // namespace

DeclaredEncoding EncodingOf(std::string_view bytes) {
  if (bytes.starts_with(kUtf8Mark)) return {Encoding::Utf8, {}};
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

std::optional<int> FirstMalformedUtf8Line(std::string_view bytes) {
  constexpr std::uint64_t kHighBits = 0x8080808080808080ull;
  for (std::size_t i = 0; i < bytes.size();) {
    // Eight ASCII bytes at a time: nearly all of any KML or GPX.
    std::uint64_t eight = 0;
    if (i + 8 <= bytes.size() && (std::memcpy(&eight, bytes.data() + i, 8), !(eight & kHighBits))) {
      i += 8;
      continue;
    }
    if (At(bytes, i) < 0x80) {
      ++i;
      continue;
    }
    std::size_t length = SequenceLength(bytes, i);
    if (length == 0) return LineAt(bytes, i);
    i += length;
  }
  return std::nullopt;
}

Converted ToUtf8(std::string_view bytes, Encoding from) {
  Converted converted;
  switch (from) {
    case Encoding::Utf16Le:
    case Encoding::Utf16Be:
      converted = FromUtf16(bytes, from == Encoding::Utf16Le);
      break;
    case Encoding::Latin1:
    case Encoding::Windows1252:
      converted.text = FromSingleBytes(bytes, from);
      break;
    case Encoding::Utf8:
    case Encoding::Other:
      converted.text = std::string(bytes.substr(bytes.starts_with(kUtf8Mark) ? 3 : 0));
      break;
  }
  if (converted.text) DeclareUtf8(*converted.text);
  return converted;
}

}  // namespace tarvik::platform::xml
