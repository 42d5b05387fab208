#include "waypoints/exchange/AngleText.h"

#include <charconv>
#include <cmath>

#include "waypoints/Utf8.h"

namespace tarvik::waypoints::exchange {

namespace {

using Kind = AngleToken::Kind;

constexpr double kSixty = 60;
// An angle is at most a letter and three numbers with their signs.
constexpr size_t kAngleTokens = 7;

bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsLetter(char32_t c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

std::optional<Kind> SymbolKind(char32_t c) {
  // Each sign with the look-alikes that copying from documents brings.
  switch (c) {
    case U'\u00B0':  // degree
    case U'\u00BA':  // masculine ordinal
    case U'\u02DA':  // ring above
      return Kind::Degree;
    case U'\'':
    case U'\u2032':  // prime
    case U'\u2019':  // right single quotation mark
    case U'\u00B4':  // acute accent
      return Kind::Minute;
    case U'"':
    case U'\u2033':  // double prime
    case U'\u201D':  // right double quotation mark
    case U'\u201C':  // left double quotation mark
      return Kind::Second;
    default:
      return std::nullopt;
  }
}

bool IsBlank(char32_t c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == 0xA0; }

// A number at `i`: an optional sign, then digits with at most one point.
std::optional<AngleToken> ReadNumber(std::string_view text, size_t& i) {
  size_t start = i;
  // "1.2.3" is no two numbers: numbers stand apart by blanks or signs.
  if (start > 0 && (IsDigit(text[start - 1]) || text[start - 1] == '.')) return std::nullopt;
  bool negative = false;
  bool has_sign = false;
  if (text[i] == '+' || text[i] == '-') {
    negative = text[i] == '-';
    has_sign = true;
    ++i;
  } else if (text.substr(i, 3) == "\xE2\x88\x92") {  // U+2212 minus sign
    negative = true;
    has_sign = true;
    i += 3;
  }
  size_t digits_start = i;
  size_t digits = 0;
  bool point = false;
  for (; i < text.size(); ++i) {
    if (IsDigit(text[i]))
      ++digits;
    else if (text[i] == '.' && !point)
      point = true;
    else
      break;
  }
  if (digits == 0) {
    i = start;
    return std::nullopt;
  }
  double value = 0;
  auto [end, error] = std::from_chars(text.data() + digits_start, text.data() + i, value);
  if (error != std::errc() || end != text.data() + i) {
    i = start;
    return std::nullopt;
  }
  AngleToken token{Kind::Number};
  token.value = negative ? -value : value;
  token.signed_ = has_sign;
  token.whole = !point;
  return token;
}

}  // namespace

std::optional<std::vector<AngleToken>> TokeniseAngles(std::string_view text, size_t max_tokens) {
  std::vector<AngleToken> tokens;
  size_t i = 0;
  while (i < text.size()) {
    if (tokens.size() > max_tokens) return std::nullopt;
    if (auto number = ReadNumber(text, i)) {
      tokens.push_back(*number);
      continue;
    }
    size_t at = i;
    auto c = NextUtf8(text, i);
    if (!c) return std::nullopt;
    if (IsBlank(*c)) continue;
    if (*c == ',' || *c == ';') {
      tokens.push_back({Kind::Separator, 0, false, false, static_cast<char>(*c)});
      continue;
    }
    if (*c == '\'' && i < text.size() && text[i] == '\'') {  // two primes for seconds
      ++i;
      tokens.push_back({Kind::Second});
      continue;
    }
    if (auto symbol = SymbolKind(*c)) {
      tokens.push_back({*symbol});
      continue;
    }
    char upper = static_cast<char>(*c & ~0x20);
    bool lone = i >= text.size() || !IsLetter(static_cast<unsigned char>(text[i]));
    bool after_letter = at > 0 && IsLetter(static_cast<unsigned char>(text[at - 1]));
    if (IsLetter(*c) && lone && !after_letter &&
        (upper == 'N' || upper == 'S' || upper == 'E' || upper == 'W')) {
      tokens.push_back({Kind::Hemisphere, 0, false, false, upper});
      continue;
    }
    return std::nullopt;
  }
  if (tokens.size() > max_tokens) return std::nullopt;
  return tokens;
}

std::optional<Angle> ParseAngleTokens(const AngleToken* first, const AngleToken* last) {
  std::optional<char> letter;
  if (first < last && first->kind == Kind::Hemisphere) letter = (first++)->letter;
  if (first < last && (last - 1)->kind == Kind::Hemisphere) {
    if (letter) return std::nullopt;
    letter = (--last)->letter;
  }

  // Degrees, minutes, seconds: each in its place, its sign (if any) naming
  // the same place.
  double parts[3] = {0, 0, 0};
  bool whole[3] = {false, false, false};
  int count = 0;
  for (const AngleToken* t = first; t < last; ++t) {
    if (t->kind != Kind::Number || count == 3) return std::nullopt;
    if (count > 0 && t->signed_) return std::nullopt;
    parts[count] = t->value;
    whole[count] = t->whole;
    if (t + 1 < last && t[1].kind != Kind::Number) {
      Kind expected = count == 0 ? Kind::Degree : count == 1 ? Kind::Minute : Kind::Second;
      if (t[1].kind != expected) return std::nullopt;
      ++t;
    }
    ++count;
  }
  if (count == 0) return std::nullopt;
  // Only the last piece may have a fraction; minutes and seconds stay below 60.
  for (int k = 0; k + 1 < count; ++k) {
    if (!whole[k]) return std::nullopt;
  }
  for (int k = 1; k < count; ++k) {
    if (parts[k] >= kSixty) return std::nullopt;
  }
  bool negative = std::signbit(parts[0]);
  if (letter && first->signed_) return std::nullopt;  // "-47 N" says two things
  double degrees = std::fabs(parts[0]) + parts[1] / kSixty + parts[2] / (kSixty * kSixty);

  Angle angle{negative ? -degrees : degrees, std::nullopt};
  if (letter) {
    angle.axis = (*letter == 'N' || *letter == 'S') ? Axis::Latitude : Axis::Longitude;
    if (*letter == 'S' || *letter == 'W') angle.degrees = -angle.degrees;
  }
  return angle;
}

std::optional<double> ParseAngle(std::string_view text, Axis axis) {
  auto tokens = TokeniseAngles(text, kAngleTokens);
  if (!tokens || tokens->empty()) return std::nullopt;
  auto angle = ParseAngleTokens(tokens->data(), tokens->data() + tokens->size());
  if (!angle || (angle->axis && *angle->axis != axis)) return std::nullopt;
  if (!IsWithinRange(angle->degrees, axis)) return std::nullopt;
  return angle->degrees;
}

}  // namespace tarvik::waypoints::exchange
