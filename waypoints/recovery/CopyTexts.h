#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/RecoveryPlace.h"

namespace tarvik::waypoints::recovery {

// The longest document path the file beside a copy may hold: Windows'
// longest path, each character up to three bytes of UTF-8.
inline constexpr std::size_t kLongestPathBytes = 32767 * 3;

// The file beside a copy: the document's path as one line of UTF-8 text
// with a byte-order mark, so that Notepad shows it; empty for an untitled
// list.
std::vector<std::uint8_t> EncodePathFile(std::string_view document_path);
// Nullopt for bytes that are not such a file.
std::optional<std::string> DecodePathFile(const std::vector<std::uint8_t>& bytes);

// The question that offers a copy back, and the warning for one that
// cannot be read.
std::string OfferText(std::string_view document_name, std::size_t waypoints,
                      const platform::LocalTime& written);
std::string UnreadableSentence();
// Why this run's copy could not be written or removed.
std::string KeptNotSentence(std::string_view why);

}  // namespace tarvik::waypoints::recovery
