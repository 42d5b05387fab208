#include "standins/common/StartOptions.h"

#include <charconv>
#include <string>

namespace tarvik::standins {

namespace {

constexpr std::wstring_view kHangSwitch = L"--hang-after-start";

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
    options = {true, std::nullopt};
    return;
  }
  if (word.size() > kHangSwitch.size() + 1 && word.starts_with(kHangSwitch) &&
      word[kHangSwitch.size()] == L'=') {
    if (auto seconds = Seconds(word.substr(kHangSwitch.size() + 1))) options = {true, seconds};
  }
}

}  // namespace

StartOptions ParseStartOptions(std::wstring_view command_line) {
  StartOptions options;
  while (!command_line.empty()) {
    const auto start = command_line.find_first_not_of(L" \t\"");
    if (start == std::wstring_view::npos) break;
    command_line.remove_prefix(start);
    const auto end = command_line.find_first_of(L" \t\"");
    ApplyWord(command_line.substr(0, end), options);
    if (end == std::wstring_view::npos) break;
    command_line.remove_prefix(end);
  }
  return options;
}

}  // namespace tarvik::standins
