#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace tarvik::waypoints::kmz {

// The KML of a KMZ file, or why it cannot be had: the end of the sentence
// "could not be imported: <reason>.".
struct KmzKml {
  std::optional<std::vector<std::uint8_t>> kml;
  std::string refusal;
};

// Takes doc.kml, or else the first .kml at the archive's top, wherever it
// stands among the entries, as Google Earth does. Nothing else in the
// archive is unpacked, and nothing is written anywhere.
KmzKml KmlOfKmz(std::span<const std::uint8_t> zip);

}  // namespace tarvik::waypoints::kmz
