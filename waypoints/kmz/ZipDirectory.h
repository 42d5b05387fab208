#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace tarvik::waypoints::kmz {

// A KMZ holds one KML and perhaps its pictures: far fewer entries than this.
inline constexpr std::size_t kMaxZipEntries = 10000;
// Both the archive's start and each entry's packed data begin with a local
// header; a size or offset of all ones says the real one is in a ZIP64 record.
inline constexpr std::uint32_t kLocalSignature = 0x04034b50;
inline constexpr std::uint32_t kZip64Marker = 0xFFFFFFFF;

enum class ZipProblem {
  None,
  NotZip,         // no directory at the end, and no zip entry at the start
  EndsEarly,      // starts as a zip archive, but its directory is missing
  TooManyEntries, // more than kMaxZipEntries
  Zip64,          // sizes or offsets beyond 32 bits, which no KMZ needs
  Damaged,        // a record outside the file, or data that does not unpack
  Encrypted,
  Method,         // compressed otherwise than stored or deflated
  TooLarge,       // unpacks to more than kMaxUnpackedBytes
  Bomb,           // unpacks to more than kMaxPackingRatio times its packed size
};

// One file of the archive, as its central directory lists it.
struct ZipEntry {
  std::string name;  // as stored: '/' between folders
  std::uint16_t flags = 0;
  std::uint16_t method = 0;
  std::uint32_t crc = 0;
  std::uint32_t packed_size = 0;
  std::uint32_t size = 0;
  std::uint32_t local_header = 0;  // where its local header stands
};

struct ZipDirectory {
  std::vector<ZipEntry> entries;  // in the directory's order
  ZipProblem problem = ZipProblem::None;
};

// The archive's central directory, found through the record that ends it;
// nothing is unpacked.
ZipDirectory ReadZipDirectory(std::span<const std::uint8_t> zip);

// Little-endian fields of zip records; `at` plus the field's size must lie
// within `bytes`.
std::uint16_t Read16(std::span<const std::uint8_t> bytes, std::size_t at);
std::uint32_t Read32(std::span<const std::uint8_t> bytes, std::size_t at);

}  // namespace tarvik::waypoints::kmz
