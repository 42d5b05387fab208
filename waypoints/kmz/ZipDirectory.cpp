// The central directory of a zip archive, as the format's published
// description lays it out: an end record, found by searching backwards
// over its variable-length comment, points at a run of fixed-size entry
// records, each followed by its name, extra field and comment.
#include "waypoints/kmz/ZipDirectory.h"

#include <algorithm>
#include <optional>

namespace tarvik::waypoints::kmz {

namespace {

constexpr std::uint32_t kEndSignature = 0x06054b50;
constexpr std::uint32_t kEntrySignature = 0x02014b50;
constexpr std::size_t kEndSize = 22;
constexpr std::size_t kEntrySize = 46;
constexpr std::size_t kLongestComment = 0xFFFF;

struct EndRecord {
  std::size_t entries;
  std::uint32_t directory_size;
  std::uint32_t directory_offset;
};

// The last end record whose comment reaches exactly to the file's end; a
// comment may itself hold the signature, so the search goes on past one
// that does not fit.
std::optional<EndRecord> FindEnd(std::span<const std::uint8_t> zip) {
  if (zip.size() < kEndSize) return std::nullopt;
  std::size_t lowest = zip.size() - kEndSize - std::min(zip.size() - kEndSize, kLongestComment);
  for (std::size_t at = zip.size() - kEndSize + 1; at-- > lowest;) {
    if (Read32(zip, at) != kEndSignature) continue;
    if (at + kEndSize + Read16(zip, at + 20) != zip.size()) continue;
    return EndRecord{Read16(zip, at + 10), Read32(zip, at + 12), Read32(zip, at + 16)};
  }
  return std::nullopt;
}

ZipDirectory Refused(ZipProblem problem) { return {{}, problem}; }

}  // namespace

std::uint16_t Read16(std::span<const std::uint8_t> bytes, std::size_t at) {
  return static_cast<std::uint16_t>(bytes[at] | bytes[at + 1] << 8);
}

std::uint32_t Read32(std::span<const std::uint8_t> bytes, std::size_t at) {
  return static_cast<std::uint32_t>(Read16(bytes, at)) |
         static_cast<std::uint32_t>(Read16(bytes, at + 2)) << 16;
}

ZipDirectory ReadZipDirectory(std::span<const std::uint8_t> zip) {
  auto end = FindEnd(zip);
  if (!end) {
    bool starts_as_zip = zip.size() >= 4 && Read32(zip, 0) == kLocalSignature;
    return Refused(starts_as_zip ? ZipProblem::EndsEarly : ZipProblem::NotZip);
  }
  if (end->entries > kMaxZipEntries) return Refused(ZipProblem::TooManyEntries);
  if (end->directory_offset == kZip64Marker || end->directory_size == kZip64Marker) {
    return Refused(ZipProblem::Zip64);
  }
  std::size_t at = end->directory_offset;
  std::size_t directory_end = at + end->directory_size;
  if (directory_end > zip.size()) return Refused(ZipProblem::Damaged);

  ZipDirectory directory;
  directory.entries.reserve(end->entries);
  for (std::size_t i = 0; i < end->entries; ++i) {
    if (at + kEntrySize > directory_end || Read32(zip, at) != kEntrySignature) {
      return Refused(ZipProblem::Damaged);
    }
    std::size_t name_length = Read16(zip, at + 28);
    std::size_t record = kEntrySize + name_length + Read16(zip, at + 30) + Read16(zip, at + 32);
    if (at + record > directory_end) return Refused(ZipProblem::Damaged);
    ZipEntry entry;
    entry.flags = Read16(zip, at + 8);
    entry.method = Read16(zip, at + 10);
    entry.crc = Read32(zip, at + 16);
    entry.packed_size = Read32(zip, at + 20);
    entry.size = Read32(zip, at + 24);
    entry.local_header = Read32(zip, at + 42);
    entry.name.assign(reinterpret_cast<const char*>(zip.data() + at + kEntrySize), name_length);
    directory.entries.push_back(std::move(entry));
    at += record;  // at least kEntrySize: the walk always moves on
  }
  return directory;
}

}  // namespace tarvik::waypoints::kmz
