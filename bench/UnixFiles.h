#pragma once

#include <string>

// Linux files read from a Windows program running under Wine, such as the
// /proc files that say what a process costs. Wine's server opens the file
// for the program, so /proc/self is the server: name a process by its pid.
namespace tarvik::bench {

bool RunningUnderWine();

// The whole file. Throws when not under Wine or when it cannot be read.
std::string ReadUnixFile(const std::string& unix_path);

}  // namespace tarvik::bench
