#include "bench/StartupPlan.h"

#include <algorithm>
#include <stdexcept>

#include "bench/WholeNumber.h"

namespace tarvik::bench {

namespace {

struct CountOption {
  const wchar_t* name;
  int minimum;
  int maximum;
  int Options::*field;
};

constexpr CountOption kCountOptions[] = {
    {L"--rounds", 1, 1000, &Options::rounds},
    {L"--warmup", 0, 1000, &Options::warmup_rounds},
    {L"--timeout-ms", 1, 600000, &Options::timeout_ms},
};

struct PathOption {
  const wchar_t* name;
  std::wstring Options::*field;
};

constexpr PathOption kPathOptions[] = {
    {L"--tarvik", &Options::tarvik_path},
    {L"--minimal", &Options::minimal_path},
};

enum class Applied { Done, UnknownName, UnfitValue };

Applied Apply(Options& options, const std::wstring& name, const std::wstring& value) {
  for (const auto& option : kPathOptions) {
    if (name != option.name) continue;
    if (value.empty()) return Applied::UnfitValue;
    options.*option.field = value;
    return Applied::Done;
  }
  for (const auto& option : kCountOptions) {
    if (name != option.name) continue;
    auto count = ParseCount(value, option.minimum, option.maximum);
    if (!count) return Applied::UnfitValue;
    options.*option.field = *count;
    return Applied::Done;
  }
  return Applied::UnknownName;
}

// For messages only; option names are ASCII.
std::string Narrow(const std::wstring& text) {
  std::string out;
  for (wchar_t c : text) out.push_back(c < 0x80 ? static_cast<char>(c) : '?');
  return out;
}

}  // namespace

std::array<Program, 2> RoundOrder(int round) {
  if (round % 2 == 0) return {Program::Tarvik, Program::Minimal};
  return {Program::Minimal, Program::Tarvik};
}

double Median(std::vector<double> values) {
  if (values.empty()) throw std::invalid_argument("median of no samples");
  std::sort(values.begin(), values.end());
  size_t middle = values.size() / 2;
  if (values.size() % 2 == 1) return values[middle];
  return (values[middle - 1] + values[middle]) / 2;
}

std::optional<double> Ratio(double numerator, double denominator) {
  if (denominator <= 0) return std::nullopt;
  return numerator / denominator;
}

bool MeetsGoal(std::optional<double> ratio, double goal) { return ratio && *ratio <= goal; }

std::variant<Options, std::string> ParseOptions(std::span<const std::wstring> args) {
  Options options;
  const std::wstring none;
  for (size_t i = 0; i < args.size(); i += 2) {
    const std::wstring& name = args[i];
    const std::wstring& value = i + 1 < args.size() ? args[i + 1] : none;
    switch (Apply(options, name, value)) {
      case Applied::Done:
        break;
      case Applied::UnknownName:
        return "unknown option: " + Narrow(name);
      case Applied::UnfitValue:
        return "missing or unfit value for " + Narrow(name) + ": '" + Narrow(value) + "'";
    }
  }
  return options;
}

}  // namespace tarvik::bench
