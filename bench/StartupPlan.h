#pragma once

#include <array>
#include <optional>
#include <span>
#include <string>
#include <variant>
#include <vector>

// The start-up benchmark's plan and arithmetic, free of Windows calls so
// that the native build tests them too.
namespace tarvik::bench {

enum class Program { Tarvik, Minimal };

// The order of the two programs in a round. It alternates, so that a slow
// drift (caches warming up, a busy machine) weighs on both alike.
std::array<Program, 2> RoundOrder(int round);

double Median(std::vector<double> values);

// Empty when the denominator is not positive: no ratio to speak of.
std::optional<double> Ratio(double numerator, double denominator);

bool MeetsGoal(std::optional<double> ratio, double goal);

struct Options {
  int rounds = 7;
  // Rounds run first and left out of the figures: the first start of a
  // program in a fresh wineserver pays for loading from disk.
  int warmup_rounds = 1;
  int timeout_ms = 30000;
  // Empty: the program beside the benchmark's own executable.
  std::wstring tarvik_path;
  std::wstring minimal_path;
};

// The options, or the reason the arguments were refused.
std::variant<Options, std::string> ParseOptions(std::span<const std::wstring> args);

}  // namespace tarvik::bench
