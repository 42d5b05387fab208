#include "standins/common/StartOptions.h"

#include <charconv>
#include <string>

namespace tarvik::standins {

namespace {

constexpr std::wstring_view kHangSwitch = L"--hang-after-start";
constexpr std::wstring_view kLogSwitch = L"--log=";

std::optional<std::chrono::seconds> Seconds(std::wstring_view digits) {
  if (digits.empty() || digits.size() > 6) return std::nullopt;
  std::string ascii;
  for (wchar_t c : digits) {
    if (c < L'0' || c > L'9') return std::nullopt;
    ascii.push_back(static_cast<char>(c));
  }
  long long value = 0;
  std::from_chars(ascii.data(), ascii.data() + ascii.size(), value);
  return std::chrono::seconds(value);
}

void ApplyWord(std::wstring_view word, StartOptions& options) {
  if (word == kHangSwitch) {
    options.hang = true;
    options.hang_for.reset();
    return;
  }
  if (word.size() > kLogSwitch.size() && word.starts_with(kLogSwitch)) {
    options.log = word.substr(kLogSwitch.size());
    return;
  }
  if (word.size() > kHangSwitch.size() + 1 && word.starts_with(kHangSwitch) &&
      word[kHangSwitch.size()] == L'=') {
    if (auto seconds = Seconds(word.substr(kHangSwitch.size() + 1))) {
      options.hang = true;
      options.hang_for = seconds;
    }
  }
}

// The next word and what follows it; a word in double quotes may hold
// blanks.
std::wstring_view NextWord(std::wstring_view& rest) {
  const auto start = rest.find_first_not_of(L" \t");
  if (start == std::wstring_view::npos) {
    rest = {};
    return {};
  }
  rest.remove_prefix(start);
  const bool quoted = rest.front() == L'"';
  if (quoted) rest.remove_prefix(1);
  const auto end = rest.find_first_of(quoted ? L"\"" : L" \t\"");
  const std::wstring_view word = rest.substr(0, end);
  rest.remove_prefix(end == std::wstring_view::npos ? rest.size() : end + (quoted ? 1 : 0));
  return word;
}

}  // namespace

StartOptions ParseStartOptions(std::wstring_view command_line) {
  StartOptions options;
  while (!command_line.empty()) ApplyWord(NextWord(command_line), options);
  return options;
}

}  // namespace tarvik::standins
