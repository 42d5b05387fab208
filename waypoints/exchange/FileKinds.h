#pragma once

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

namespace tarvik::waypoints::exchange {

// The dialogs' filters, "Description|pattern" pairs.
inline constexpr const char* kImportFilter =
    "Waypoint files (*.kml;*.kmz;*.gpx;*.csv)|*.kml;*.kmz;*.gpx;*.csv|"
    "KML files (*.kml;*.kmz)|*.kml;*.kmz|"
    "GPX files (*.gpx)|*.gpx|CSV files (*.csv)|*.csv|All files (*.*)|*.*";
inline constexpr const char* kExportFilter =
    "KML files (*.kml)|*.kml|GPX files (*.gpx)|*.gpx|CSV files (*.csv)|*.csv";
// Added by the save dialog to a name typed without one: the chosen filter's.
inline constexpr const char* kExportDefaultExtension = "kml";

enum class ImportKind { Xml, Csv, Kmz };

// By the name's extension; for any other name by the first bytes: a zip
// archive is KMZ, a "<" (after a byte-order mark and blanks) XML.
ImportKind ImportKindOf(std::string_view path, const std::vector<std::uint8_t>& first_bytes);

enum class ExportFormat { Kml, Gpx, Csv };

// By the name's extension, letter case ignored; nullopt for any other.
std::optional<ExportFormat> ExportFormatOf(std::string_view path);

}  // namespace tarvik::waypoints::exchange
