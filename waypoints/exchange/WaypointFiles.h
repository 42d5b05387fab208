#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Files.h"
#include "platform/Xml.h"
#include "waypoints/WaypointRow.h"
#include "waypoints/exchange/FileKinds.h"
#include "waypoints/exchange/ImportBatch.h"

namespace tarvik::waypoints::exchange {

// Reads a KML, KMZ, GPX or CSV file; files too large to read are refused
// before reading.
ImportOutcome ReadWaypointFile(std::string_view path, const platform::Files& files,
                               platform::XmlDocuments& xml);

// The bytes of the waypoints in the given format; nullopt when the XML
// writer failed.
std::optional<platform::Bytes> ExportBytes(ExportFormat format,
                                           const std::vector<Waypoint>& waypoints,
                                           platform::XmlDocuments& xml);

}  // namespace tarvik::waypoints::exchange
