#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>

#include "waypoints/kmz/ZipDirectory.h"
#include "waypoints/kmz/ZipEntryPieces.h"

namespace tarvik::waypoints::kmz {

// The KML of a KMZ file, ready to be unpacked as it is read, or why it
// cannot be had: the end of the sentence "could not be imported: <reason>.".
struct KmzKml {
  std::optional<ZipEntryPieces> kml;
  std::string refusal;
};

// Takes doc.kml, or else the first .kml at the archive's top, wherever it
// stands among the entries, as Google Earth does. Nothing else in the
// archive is unpacked, and nothing is written anywhere. The archive's bytes
// stay where they are while the KML is read.
KmzKml KmlOfKmz(std::span<const std::uint8_t> zip);

// The same sentence's end for a problem found as the KML unpacks.
std::string KmzRefusal(ZipProblem problem);

}  // namespace tarvik::waypoints::kmz
