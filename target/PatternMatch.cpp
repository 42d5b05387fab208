#include "target/PatternMatch.h"

namespace tarvik::target {

bool MatchesPattern(std::string_view text, std::string_view pattern) {
  // Greedy matching with one backtrack point, linear in practice.
  size_t t = 0, p = 0;
  size_t star = std::string_view::npos, resume = 0;
  while (t < text.size()) {
    if (p < pattern.size() && pattern[p] == '*') {
      star = p++;
      resume = t;
    } else if (p < pattern.size() && pattern[p] == text[t]) {
      ++p;
      ++t;
    } else if (star != std::string_view::npos) {
      p = star + 1;
      t = ++resume;
    } else {
      return false;
    }
  }
  while (p < pattern.size() && pattern[p] == '*') ++p;
  return p == pattern.size();
}

}  // namespace tarvik::target
