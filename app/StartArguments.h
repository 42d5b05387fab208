#pragma once

#include <optional>
#include <string>
#include <vector>

namespace tarvik::app {

// The Marker file a start asks for: Explorer's "Open with", a shortcut and
// a script all name it after the program. `arguments` is the whole command
// line split into arguments, the program's own path first. The first
// argument after it that is not blank is the file; the others are ignored,
// as several files dropped at once open only the first.
std::optional<std::string> FileToOpenAtStart(const std::vector<std::string>& arguments);

}  // namespace tarvik::app
