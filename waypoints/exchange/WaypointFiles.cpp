#include "waypoints/exchange/WaypointFiles.h"

#include "waypoints/exchange/CsvWaypoints.h"
#include "waypoints/exchange/XmlWaypointReader.h"
#include "waypoints/exchange/XmlWaypointWriter.h"

namespace tarvik::waypoints::exchange {

namespace {

using platform::FileStatus;

// Enough to tell a zip archive, a byte-order mark and a first "<".
constexpr std::size_t kSniffBytes = 512;
// Beside the file being replaced while the new one is written.
constexpr std::string_view kAsideSuffix = ".tarvik-old";

ImportOutcome Refused(std::string reason) { return {{}, ImportRefusal{std::move(reason)}}; }

ImportOutcome Refused(platform::XmlProblem problem) {
  return Refused(ReadProblemReason({problem}));
}

ImportOutcome ReadCsvFile(std::string_view path, const platform::Files& files) {
  // One byte more than allowed tells a file that is too large without
  // holding more of it than that.
  auto bytes = files.ReadFirst(path, platform::kMaxXmlFileBytes + 1);
  if (!bytes.ok()) return Refused(platform::XmlProblem::Unreadable);
  if (bytes.value.size() > platform::kMaxXmlFileBytes)
    return Refused(platform::XmlProblem::TooLarge);
  std::string_view text(reinterpret_cast<const char*>(bytes.value.data()), bytes.value.size());
  return ReadCsvWaypoints(text);
}

}  // namespace

ImportOutcome ReadWaypointFile(std::string_view path, const platform::Files& files,
                               platform::XmlDocuments& xml) {
  auto first = files.ReadFirst(path, kSniffBytes);
  if (first.status == FileStatus::NotFound) return Refused(platform::XmlProblem::NotFound);
  if (!first.ok()) return Refused(platform::XmlProblem::Unreadable);
  switch (ImportKindOf(path, first.value)) {
    case ImportKind::Kmz:
      return Refused("KMZ is a zipped KML file; save it as KML");
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

FileStatus WriteReplacing(platform::Files& files, const std::string& path,
                          const platform::Bytes& bytes) {
  if (!files.Exists(path)) return files.CreateNew(path, bytes);
  // The old file goes aside as a copy first; should writing the new one
  // fail after the old was deleted, the copy is put back.
  const std::string aside = path + std::string(kAsideSuffix);
  if (files.Exists(aside)) {
    if (FileStatus status = files.Delete(aside); status != FileStatus::Ok) return status;
  }
  if (FileStatus status = files.Copy(path, aside); status != FileStatus::Ok) return status;
  FileStatus status = files.Delete(path);
  if (status == FileStatus::Ok) {
    status = files.CreateNew(path, bytes);
    // Should the copy not go back, the one aside is all that is left of
    // the old file: it stays.
    if (status != FileStatus::Ok && files.Copy(aside, path) != FileStatus::Ok) return status;
  }
  files.Delete(aside);
  return status;
}

std::string_view NotSavedSentence(FileStatus status) {
  switch (status) {
    case FileStatus::NotFound:
      return "could not be saved: the file or its folder is missing.";
    case FileStatus::Denied:
      return "could not be saved: the file is read-only or in use.";
    case FileStatus::Exists:
      return "could not be saved: a file of that name is in the way.";
    default:
      return "could not be saved: the disk may be full or unavailable.";
  }
}

}  // namespace tarvik::waypoints::exchange
