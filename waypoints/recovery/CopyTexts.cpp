#include "waypoints/recovery/CopyTexts.h"

#include <cstdio>

namespace tarvik::waypoints::recovery {

namespace {

constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";

}  // namespace

std::vector<std::uint8_t> EncodePathFile(std::string_view document_path) {
  std::string text = std::string(kUtf8Mark) + std::string(document_path) + "\r\n";
  return {text.begin(), text.end()};
}

std::optional<std::string> DecodePathFile(const std::vector<std::uint8_t>& bytes) {
  std::string_view text(reinterpret_cast<const char*>(bytes.data()), bytes.size());
  if (!text.starts_with(kUtf8Mark)) return std::nullopt;
  text.remove_prefix(kUtf8Mark.size());
  const std::size_t end = text.find_first_of("\r\n");
  if (end == std::string_view::npos) return std::nullopt;
  if (end > kLongestPathBytes) return std::nullopt;
  return std::string(text.substr(0, end));
}

std::string OfferText(std::string_view document_name, std::size_t waypoints,
                      const platform::LocalTime& written) {
  char when[32];
  std::snprintf(when, sizeof when, "%04d-%02d-%02d %02d:%02d", written.year, written.month,
                written.day, written.hour, written.minute);
  return "Tarvik ended without saving the changes to " + std::string(document_name) +
         ". A copy was kept: " + std::to_string(waypoints) +
         (waypoints == 1 ? " waypoint" : " waypoints") + ", last written " + when +
         ".\n\nRestore it? No moves the copy to the folder Recovery\\Declined.";
}

std::string UnreadableSentence() {
  return "is a recovery copy that cannot be read. It was moved to the folder Recovery\\Declined.";
}

std::string KeptNotSentence(std::string_view why) {
  return "cannot hold the recovery copy of the unsaved changes: " + std::string(why);
}

}  // namespace tarvik::waypoints::recovery
