#include "waypoints/exchange/FileKinds.h"

#include <string>

#include "waypoints/DocumentPaths.h"

namespace tarvik::waypoints::exchange {

namespace {

std::string ExtensionOf(std::string_view path) {
  std::string name = FileNamePart(path);
  size_t dot = name.rfind('.');
  return dot == std::string::npos ? std::string() : name.substr(dot);
}

bool HasExtension(std::string_view path, std::string_view extension) {
  return EqualIgnoringCase(ExtensionOf(path), extension);
}

bool StartsLikeXml(const std::vector<std::uint8_t>& bytes) {
  size_t i = 0;
  if (bytes.size() >= 3 && bytes[0] == 0xEF && bytes[1] == 0xBB && bytes[2] == 0xBF) i = 3;
  // UTF-16 text is not what a spreadsheet gives; only XML may come so.
  if (bytes.size() >= 2 &&
      ((bytes[0] == 0xFF && bytes[1] == 0xFE) || (bytes[0] == 0xFE && bytes[1] == 0xFF))) {
    return true;
  }
  while (i < bytes.size() &&
         (bytes[i] == ' ' || bytes[i] == '\t' || bytes[i] == '\r' || bytes[i] == '\n'))
    ++i;
  return i < bytes.size() && bytes[i] == '<';
}

}  // namespace

ImportKind ImportKindOf(std::string_view path, const std::vector<std::uint8_t>& first_bytes) {
  bool zipped = first_bytes.size() >= 4 && first_bytes[0] == 'P' && first_bytes[1] == 'K' &&
                first_bytes[2] == 3 && first_bytes[3] == 4;
  if (zipped || HasExtension(path, ".kmz")) return ImportKind::Kmz;
  if (HasExtension(path, ".kml") || HasExtension(path, ".gpx")) return ImportKind::Xml;
  if (HasExtension(path, ".csv")) return ImportKind::Csv;
  return StartsLikeXml(first_bytes) ? ImportKind::Xml : ImportKind::Csv;
}

std::optional<ExportFormat> ExportFormatOf(std::string_view path) {
  if (HasExtension(path, ".kml")) return ExportFormat::Kml;
  if (HasExtension(path, ".gpx")) return ExportFormat::Gpx;
  if (HasExtension(path, ".csv")) return ExportFormat::Csv;
  return std::nullopt;
}

}  // namespace tarvik::waypoints::exchange
