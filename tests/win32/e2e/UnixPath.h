#pragma once

#include <filesystem>
#include <optional>
#include <string>

namespace tarvik::e2e {

// Wine's own export: the Unix path behind a Windows one, in UTF-8; nullopt
// when not running under Wine.
std::optional<std::string> UnixPathOf(const std::filesystem::path& windows_path);

}  // namespace tarvik::e2e
