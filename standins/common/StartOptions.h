#pragma once

#include <chrono>
#include <optional>
#include <string>
#include <string_view>

namespace tarvik::standins {

// The stand-ins' command-line switches, so that tests can prove Tarvik
// stays responsive while a target program does not answer, and see what a
// stand-in refused:
//   --hang-after-start          the UI thread stops taking messages for good
//                               once the windows are on the screen;
//   --hang-after-start=SECONDS  it takes them again after that many seconds;
//   --log=PATH                  each refusal is added to that file as a line.
// A switch may stand in double quotes. Anything else on the command line is
// ignored.
struct StartOptions {
  bool hang = false;
  std::optional<std::chrono::seconds> hang_for;
  std::wstring log;
};

StartOptions ParseStartOptions(std::wstring_view command_line);

}  // namespace tarvik::standins
