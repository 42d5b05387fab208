#pragma once

#include <chrono>
#include <optional>
#include <string_view>

namespace tarvik::standins {

// The stand-ins' one command-line switch, so that tests can prove Tarvik
// stays responsive while a target program does not answer:
//   --hang-after-start          the UI thread stops taking messages for good
//                               once the windows are on the screen;
//   --hang-after-start=SECONDS  it takes them again after that many seconds.
// Anything else on the command line is ignored.
struct StartOptions {
  bool hang = false;
  std::optional<std::chrono::seconds> hang_for;
};

StartOptions ParseStartOptions(std::wstring_view command_line);

}  // namespace tarvik::standins
