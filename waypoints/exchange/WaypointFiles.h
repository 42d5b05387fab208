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

// Reads a KML, GPX or CSV file; a KMZ file and files too large to read are
// refused before reading.
ImportOutcome ReadWaypointFile(std::string_view path, const platform::Files& files,
                               platform::XmlDocuments& xml);

// The bytes of the waypoints in the given format; nullopt when the XML
// writer failed.
std::optional<platform::Bytes> ExportBytes(ExportFormat format,
                                           const std::vector<Waypoint>& waypoints,
                                           platform::XmlDocuments& xml);

// Writes the bytes at `path`. A file already there is replaced only once
// the new one is written; when any step fails it is there as it was.
platform::FileStatus WriteReplacing(platform::Files& files, const std::string& path,
                                    const platform::Bytes& bytes);

// The end of the warning after the path when writing failed, worded as
// for a failed Save.
std::string_view NotSavedSentence(platform::FileStatus status);

}  // namespace tarvik::waypoints::exchange
