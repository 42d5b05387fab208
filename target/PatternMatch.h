#pragma once

#include <string_view>

namespace tarvik::target {

// Whole-text, case-sensitive match where "*" stands for any run of
// characters, none included; every other character matches itself.
bool MatchesPattern(std::string_view text, std::string_view pattern);

}  // namespace tarvik::target
