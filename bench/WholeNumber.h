#pragma once

#include <optional>
#include <string>

// Counts given on a benchmark's command line.
namespace tarvik::bench {

// Whole decimal numbers only: "7x", "-1" and "" are refused, not read as 7,
// -1 or 0; so is anything outside [minimum, maximum].
std::optional<int> ParseCount(const std::wstring& text, int minimum, int maximum);

}  // namespace tarvik::bench
