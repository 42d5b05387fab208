#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace tarvik::e2e {

// A waypoint as it stands in the entry boxes once trimmed.
struct TypedWaypoint {
  std::wstring name;
  std::wstring latitude;
  std::wstring longitude;
};

// The list row of a waypoint added by hand: Name, Latitude, Longitude and
// "2", joined by tabs.
std::wstring RowOf(const TypedWaypoint& waypoint);
std::vector<std::wstring> RowsOf(const std::vector<TypedWaypoint>& waypoints);

// The bytes of a Marker file holding these waypoints in this order: the
// UTF-16LE byte-order mark, the header line and one Marker line each, every
// line ending in CR LF. Built here by hand, not by the program's own writer,
// so that a fault there cannot hide itself.
std::string MarkerFileBytes(const std::vector<TypedWaypoint>& waypoints);

// The bytes read as UTF-16LE with CR and LF spelled out, for failure reports.
std::wstring ReadableText(const std::string& bytes);

std::optional<std::string> ReadFileBytes(const std::filesystem::path& path);
bool WriteFileBytes(const std::filesystem::path& path, const std::string& bytes);

}  // namespace tarvik::e2e
