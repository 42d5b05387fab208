#include "platform/xml/XmlDecoder.h"

#include <bit>
#include <cstring>

#include "platform/TextEncoding.h"

namespace tarvik::platform::xml {

namespace {

constexpr std::uint64_t kHighBits = 0x8080808080808080ull;
constexpr std::uint64_t kLowBits = 0x7F7F7F7F7F7F7F7Full;
constexpr std::uint64_t kNewlines = 0x0A0A0A0A0A0A0A0Aull;
constexpr char16_t kByteOrderMark = 0xFEFF;

std::uint8_t Byte(char c) { return static_cast<std::uint8_t>(c); }

// Line breaks among eight ASCII bytes, without looking at each: a byte of
// the XOR is zero exactly where a line break stands.
int NewlinesIn(std::uint64_t eight) {
  std::uint64_t x = eight ^ kNewlines;
  std::uint64_t zero_bytes = ~(((x & kLowBits) + kLowBits) | x | kLowBits);
  // Most words hold none; without a popcount instruction the count is a call.
  return zero_bytes ? std::popcount(zero_bytes) : 0;
}

bool IsHighSurrogate(char32_t c) { return c >= 0xD800 && c <= 0xDBFF; }
bool IsLowSurrogate(char32_t c) { return c >= 0xDC00 && c <= 0xDFFF; }

}  // namespace

std::string_view XmlDecoder::Take(std::string_view bytes) {
  if (!problem_.ok()) return {};
  if (sniffed_) {
    if (!head_.empty()) head_ = std::string();
    return Decode(bytes);
  }
  if (head_.empty() && bytes.size() >= kDeclarationReach) return Begin(bytes);
  head_.append(bytes);
  return head_.size() >= kDeclarationReach ? Begin(head_) : std::string_view();
}

std::string_view XmlDecoder::Finish() {
  if (!problem_.ok()) return {};
  std::string_view text = sniffed_ ? std::string_view() : Begin(head_);
  if (!problem_.ok() || !EndsWhole()) return {};
  if (encoding_ != Encoding::Utf8 && !passed_on_) {
    out_.clear();
    return Pass(true);
  }
  return text;
}

std::string_view XmlDecoder::Begin(std::string_view bytes) {
  DeclaredEncoding declared = EncodingOf(bytes);
  sniffed_ = true;
  encoding_ = declared.encoding;
  if (encoding_ == Encoding::Other) {
    problem_ = {XmlProblem::UnknownEncoding, 1, 0, declared.name};
    return {};
  }
  return Decode(bytes);
}

std::string_view XmlDecoder::Decode(std::string_view bytes) {
  out_.clear();
  switch (encoding_) {
    case Encoding::Utf8:
    case Encoding::Other:
      return utf8_checked_ || CheckUtf8(bytes) ? bytes : std::string_view();
    case Encoding::Latin1:
    case Encoding::Windows1252:
      ConvertSingleBytes(bytes);
      break;
    case Encoding::Utf16Le:
    case Encoding::Utf16Be:
      if (!ConvertUtf16(bytes)) return {};
      break;
  }
  return Pass(false);
}

// Converted text is held back until there is enough of it to find the
// declaration in, which then says UTF-8.
std::string_view XmlDecoder::Pass(bool ending) {
  if (passed_on_) return out_;
  held_ += out_;
  if (held_.size() < kDeclarationReach && !ending) return {};
  DeclareUtf8(held_);
  passed_on_ = true;
  out_.swap(held_);
  held_ = std::string();
  return out_;
}

bool XmlDecoder::CheckUtf8(std::string_view bytes) {
  std::size_t i = 0;
  while (missing_ > 0 && i < bytes.size()) {
    if (!ContinueUtf8(Byte(bytes[i++]))) return Fail(lead_line_);
  }
  while (i < bytes.size()) {
    // Eight ASCII bytes at a time: nearly all of any KML or GPX.
    std::uint64_t eight = 0;
    if (i + 8 <= bytes.size() && (std::memcpy(&eight, bytes.data() + i, 8), !(eight & kHighBits))) {
      line_ += NewlinesIn(eight);
      i += 8;
      continue;
    }
    std::uint8_t lead = Byte(bytes[i++]);
    if (lead < 0x80) {
      if (lead == '\n') ++line_;
      continue;
    }
    length_ = (lead >> 5) == 0x6 ? 2 : (lead >> 4) == 0xE ? 3 : (lead >> 3) == 0x1E ? 4 : 0;
    if (length_ == 0) return Fail(line_);
    missing_ = length_ - 1;
    code_ = lead & (0x7F >> length_);
    lead_line_ = line_;
    while (missing_ > 0 && i < bytes.size()) {
      if (!ContinueUtf8(Byte(bytes[i++]))) return Fail(lead_line_);
    }
  }
  return true;
}

// False for a byte that cannot continue the sequence, and for a sequence
// that ends overlong, a surrogate or beyond U+10FFFF.
bool XmlDecoder::ContinueUtf8(std::uint8_t byte) {
  if ((byte & 0xC0) != 0x80) return false;
  code_ = (code_ << 6) | (byte & 0x3F);
  if (--missing_ > 0) return true;
  static constexpr char32_t kSmallest[] = {0, 0, 0x80, 0x800, 0x10000};
  bool overlong = code_ < kSmallest[length_];
  bool surrogate = code_ >= 0xD800 && code_ <= 0xDFFF;
  return !overlong && !surrogate && code_ <= 0x10FFFF;
}

void XmlDecoder::ConvertSingleBytes(std::string_view bytes) {
  out_.reserve(bytes.size() + bytes.size() / 16);
  for (std::size_t i = 0; i < bytes.size();) {
    // Runs of ASCII are copied whole: most of any real file.
    std::size_t run = i;
    while (run < bytes.size() && Byte(bytes[run]) < 0x80) ++run;
    out_.append(bytes.substr(i, run - i));
    if (run == bytes.size()) break;
    std::uint8_t byte = Byte(bytes[run]);
    AppendUtf8(encoding_ == Encoding::Windows1252 ? Windows1252Character(byte) : byte, out_);
    i = run + 1;
  }
}

bool XmlDecoder::ConvertUtf16(std::string_view bytes) {
  out_.reserve(bytes.size() / 2 + bytes.size() / 8);
  for (char c : bytes) {
    if (!half_unit_) {
      half_unit_ = Byte(c);
      continue;
    }
    std::uint8_t first = *half_unit_;
    half_unit_.reset();
    auto unit = encoding_ == Encoding::Utf16Le ? static_cast<char16_t>(first | Byte(c) << 8)
                                                : static_cast<char16_t>(first << 8 | Byte(c));
    if (!TakeUtf16Unit(unit)) return false;
  }
  return true;
}

// False at a surrogate without its other half.
bool XmlDecoder::TakeUtf16Unit(char16_t unit) {
  bool first = first_unit_;
  first_unit_ = false;
  if (first && unit == kByteOrderMark) return true;
  if (high_surrogate_) {
    if (!IsLowSurrogate(unit)) return Fail(line_);
    char32_t c = 0x10000 + ((high_surrogate_ - 0xD800) << 10) + (unit - 0xDC00);
    high_surrogate_ = 0;
    AppendUtf8(c, out_);
    return true;
  }
  if (IsHighSurrogate(unit)) {
    high_surrogate_ = unit;
    return true;
  }
  if (IsLowSurrogate(unit)) return Fail(line_);
  if (unit == '\n') ++line_;
  AppendUtf8(unit, out_);
  return true;
}

// Nothing is left half: a UTF-8 sequence, a UTF-16 unit or surrogate pair.
bool XmlDecoder::EndsWhole() {
  if (missing_ > 0) return Fail(lead_line_);
  if (half_unit_ || high_surrogate_) return Fail(line_);
  return true;
}

bool XmlDecoder::Fail(int line) {
  problem_ = {XmlProblem::Encoding, line, 0};
  return false;
}

}  // namespace tarvik::platform::xml
