#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tarvik::platform::win32 {

// The process's command line split as Windows programs split it, the
// program's own path first. Read wide, so that paths outside the ANSI code
// page arrive whole.
std::vector<std::string> CommandLineArguments();

// A path as given on a command line, made full against the working folder,
// as a file dialog would have returned it; the path itself when Windows
// cannot.
std::string FullPathName(std::string_view path);

}  // namespace tarvik::platform::win32
