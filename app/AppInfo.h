#pragma once

#include <string>

namespace tarvik::app {

// Names the settings store and titles every message box without a title
// of its own.
inline constexpr const char* kAppTitle = "Tarvik";

inline constexpr const char* kCopyright = "\xC2\xA9 2026 The Tarvik developers";

// "Version 1.1.3", from the build's version numbers.
std::string VersionText();

}  // namespace tarvik::app
