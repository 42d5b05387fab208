#include "bench/TransitPlan.h"

#include "bench/WholeNumber.h"

namespace tarvik::bench {

namespace {

struct ModeFlag {
  const wchar_t* name;
  TransitMode mode;
};

constexpr ModeFlag kModeFlags[] = {
    {L"--fillers", TransitMode::Fillers},
    {L"--open-transit", TransitMode::OpenTransit},
    {L"--cpu-share", TransitMode::CpuShare},
};

struct CountOption {
  const wchar_t* name;
  int minimum;
  int maximum;
  int TransitOptions::*field;
};

constexpr int kLargestPid = 1 << 22;  // Linux's pid_max ceiling

constexpr CountOption kCountOptions[] = {
    {L"--rounds", 1, 1000, &TransitOptions::rounds},
    {L"--soak", 0, 10000000, &TransitOptions::soak_passes},
    {L"--timeout-ms", 1, 600000, &TransitOptions::timeout_ms},
    {L"--tarvik-pid", 1, kLargestPid, &TransitOptions::tarvik_pid},
    {L"--wineserver-pid", 1, kLargestPid, &TransitOptions::wineserver_pid},
    {L"--seconds", 1, 86400, &TransitOptions::seconds},
    {L"--clock-ticks", 1, 1000000, &TransitOptions::clock_ticks},
};

// For messages only; option names are ASCII.
std::string Narrow(const std::wstring& text) {
  std::string out;
  for (wchar_t c : text) out.push_back(c < 0x80 ? static_cast<char>(c) : '?');
  return out;
}

const ModeFlag* FindMode(const std::wstring& name) {
  for (const auto& flag : kModeFlags) {
    if (name == flag.name) return &flag;
  }
  return nullptr;
}

const CountOption* FindCount(const std::wstring& name) {
  for (const auto& option : kCountOptions) {
    if (name == option.name) return &option;
  }
  return nullptr;
}

}  // namespace

std::variant<TransitOptions, std::string> ParseTransitOptions(std::span<const std::wstring> args) {
  TransitOptions options;
  bool mode_given = false;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::wstring& name = args[i];
    if (const ModeFlag* flag = FindMode(name)) {
      if (mode_given) return "more than one mode: " + Narrow(name);
      mode_given = true;
      options.mode = flag->mode;
      continue;
    }
    const CountOption* option = FindCount(name);
    if (!option) return "unknown option: " + Narrow(name);
    const std::wstring value = i + 1 < args.size() ? args[++i] : std::wstring();
    auto count = ParseCount(value, option->minimum, option->maximum);
    if (!count) return "missing or unfit value for " + Narrow(name) + ": '" + Narrow(value) + "'";
    options.*option->field = *count;
  }
  if (options.mode == TransitMode::CpuShare &&
      (options.tarvik_pid == 0 || options.wineserver_pid == 0)) {
    return "--cpu-share needs --tarvik-pid and --wineserver-pid";
  }
  return options;
}

}  // namespace tarvik::bench
