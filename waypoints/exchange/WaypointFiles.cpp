#include "waypoints/exchange/WaypointFiles.h"

#include "waypoints/exchange/CsvWaypoints.h"
#include "waypoints/kmz/KmzArchive.h"
#include "waypoints/exchange/XmlWaypointReader.h"
#include "waypoints/exchange/XmlWaypointWriter.h"

namespace tarvik::waypoints::exchange {

namespace {

using platform::FileStatus;

// Enough to tell a zip archive, a byte-order mark and a first "<".
constexpr std::size_t kSniffBytes = 512;

ImportOutcome Refused(std::string reason) { return {{}, ImportRefusal{std::move(reason)}}; }

ImportOutcome Refused(platform::XmlProblem problem) {
  return Refused(ReadProblemReason({problem}));
}

ImportOutcome ReadCsvFile(std::string_view path, const platform::Files& files) {
  auto bytes = files.ReadAll(path);
  if (bytes.status == FileStatus::TooLarge) return Refused(platform::XmlProblem::TooLarge);
  if (!bytes.ok()) return Refused(platform::XmlProblem::Unreadable);
  std::string_view text(reinterpret_cast<const char*>(bytes.value.data()), bytes.value.size());
  return ReadCsvWaypoints(text);
}

// The KML is unpacked from the archive in memory as it is read, a piece at
// a time, once for the checks and once for the XML library, and never held
// whole: an import needs little more than the archive's own size.
ImportOutcome ReadKmzFile(std::string_view path, const platform::Files& files,
                          platform::XmlDocuments& xml) {
  auto bytes = files.ReadAll(path);
  if (bytes.status == FileStatus::TooLarge) return Refused(platform::XmlProblem::TooLarge);
  if (!bytes.ok()) return Refused(platform::XmlProblem::Unreadable);
  kmz::KmzKml kml = kmz::KmlOfKmz(bytes.value);
  if (!kml.kml) return Refused(kml.refusal);
  XmlWaypointReader reader;
  platform::XmlReadResult read = xml.ReadPieces(*kml.kml, reader);
  if (kml.kml->Failed()) return Refused(kmz::KmzRefusal(kml.kml->Problem()));
  return reader.Outcome(read);
}

}  // namespace

ImportOutcome ReadWaypointFile(std::string_view path, const platform::Files& files,
                               platform::XmlDocuments& xml) {
  auto first = files.ReadFirst(path, kSniffBytes);
  if (first.status == FileStatus::NotFound) return Refused(platform::XmlProblem::NotFound);
  if (!first.ok()) return Refused(platform::XmlProblem::Unreadable);
  switch (ImportKindOf(path, first.value)) {
    case ImportKind::Kmz:
      return ReadKmzFile(path, files, xml);
    case ImportKind::Csv:
      return ReadCsvFile(path, files);
    case ImportKind::Xml:
      break;
  }
  XmlWaypointReader reader;
  platform::XmlReadResult read = xml.Read(path, reader);
  return reader.Outcome(read);
}

std::optional<platform::Bytes> ExportBytes(ExportFormat format,
                                           const std::vector<Waypoint>& waypoints,
                                           platform::XmlDocuments& xml) {
  if (format == ExportFormat::Csv) {
    std::string text = WriteCsvWaypoints(waypoints);
    return platform::Bytes(text.begin(), text.end());
  }
  auto writer = xml.NewWriter();
  if (format == ExportFormat::Kml)
    WriteKml(waypoints, *writer);
  else
    WriteGpx(waypoints, *writer);
  return writer->Finish();
}

}  // namespace tarvik::waypoints::exchange
