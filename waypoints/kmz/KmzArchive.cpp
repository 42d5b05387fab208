#include "waypoints/kmz/KmzArchive.h"

#include <string_view>

#include "waypoints/kmz/ZipDirectory.h"
#include "waypoints/kmz/ZipEntryPieces.h"

namespace tarvik::waypoints::kmz {

namespace {

bool EndsWithIgnoringCase(std::string_view text, std::string_view ending) {
  if (text.size() < ending.size()) return false;
  text.remove_prefix(text.size() - ending.size());
  for (std::size_t i = 0; i < ending.size(); ++i) {
    char c = text[i];
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c + 32);
    if (c != ending[i]) return false;
  }
  return true;
}

bool AtTop(std::string_view name) { return name.find_first_of("/\\") == std::string_view::npos; }

const ZipEntry* ChosenKml(const std::vector<ZipEntry>& entries) {
  for (const auto& entry : entries) {
    if (entry.name.size() == 7 && EndsWithIgnoringCase(entry.name, "doc.kml")) return &entry;
  }
  for (const auto& entry : entries) {
    if (AtTop(entry.name) && EndsWithIgnoringCase(entry.name, ".kml")) return &entry;
  }
  return nullptr;
}

}  // namespace

std::string KmzRefusal(ZipProblem problem) {
  switch (problem) {
    case ZipProblem::NotZip:
      return "it is not a zip archive, as a KMZ file is";
    case ZipProblem::EndsEarly:
      return "it ends too early";
    case ZipProblem::TooManyEntries:
      return "its zip archive holds more than " + std::to_string(kMaxZipEntries) + " files";
    case ZipProblem::Zip64:
      return "its zip archive uses ZIP64 records, which Tarvik does not read";
    case ZipProblem::Encrypted:
      return "its KML file is encrypted";
    case ZipProblem::Method:
      return "its KML file is packed with a method other than stored or deflated";
    case ZipProblem::TooLarge:
      return "its KML file unpacks to more than " +
             std::to_string(kMaxUnpackedBytes / (1024 * 1024)) + " MB";
    case ZipProblem::Bomb:
      return "its KML file unpacks to more than " + std::to_string(kMaxPackingRatio) +
             " times its packed size (a zip bomb)";
    case ZipProblem::Damaged:
    case ZipProblem::None:
      break;
  }
  return "its zip archive is damaged";
}

KmzKml KmlOfKmz(std::span<const std::uint8_t> zip) {
  ZipDirectory directory = ReadZipDirectory(zip);
  if (directory.problem != ZipProblem::None) return {std::nullopt, KmzRefusal(directory.problem)};
  const ZipEntry* chosen = ChosenKml(directory.entries);
  if (!chosen) return {std::nullopt, "its zip archive holds no KML file at its top"};
  ZipEntryOpened opened = OpenZipEntry(zip, *chosen);
  if (!opened.pieces) return {std::nullopt, KmzRefusal(opened.problem)};
  return {std::move(opened.pieces), {}};
}

}  // namespace tarvik::waypoints::kmz
