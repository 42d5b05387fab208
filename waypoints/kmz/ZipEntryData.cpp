#include "waypoints/kmz/ZipEntryData.h"

#include <zlib.h>

#include <algorithm>
#include <optional>

namespace tarvik::waypoints::kmz {

namespace {

constexpr std::uint32_t kLocalSignature = 0x04034b50;
constexpr std::size_t kLocalSize = 30;
constexpr std::uint16_t kEncryptedFlag = 0x0001;
constexpr std::uint16_t kStored = 0;
constexpr std::uint16_t kDeflated = 8;
constexpr std::uint32_t kZip64Marker = 0xFFFFFFFF;

ZipProblem CheckDeclared(const ZipEntry& entry) {
  if (entry.flags & kEncryptedFlag) return ZipProblem::Encrypted;
  if (entry.method != kStored && entry.method != kDeflated) return ZipProblem::Method;
  if (entry.size == kZip64Marker || entry.packed_size == kZip64Marker) return ZipProblem::Zip64;
  if (entry.size > kMaxUnpackedBytes) return ZipProblem::TooLarge;
  if (entry.size > kMaxPackingRatio * entry.packed_size) return ZipProblem::Bomb;
  if (entry.method == kStored && entry.size != entry.packed_size) return ZipProblem::Damaged;
  return ZipProblem::None;
}

// Where the packed bytes stand: after the local header, whose name and
// extra field may differ in length from the directory's.
std::optional<std::span<const std::uint8_t>> PackedBytes(std::span<const std::uint8_t> zip,
                                                          const ZipEntry& entry) {
  std::size_t at = entry.local_header;
  if (at + kLocalSize > zip.size() || Read32(zip, at) != kLocalSignature) return std::nullopt;
  std::size_t data = at + kLocalSize + Read16(zip, at + 26) + Read16(zip, at + 28);
  if (data + entry.packed_size > zip.size()) return std::nullopt;
  return zip.subspan(data, entry.packed_size);
}

// Raw deflate, in one step into a buffer of exactly the declared size:
// more data than declared, or less, is damage.
bool Inflate(std::span<const std::uint8_t> packed, std::vector<std::uint8_t>& out) {
  z_stream stream{};
  if (inflateInit2(&stream, -MAX_WBITS) != Z_OK) return false;
  std::uint8_t none = 0;
  stream.next_in = const_cast<Bytef*>(packed.empty() ? &none : packed.data());
  stream.avail_in = static_cast<uInt>(packed.size());
  stream.next_out = out.empty() ? &none : out.data();
  stream.avail_out = static_cast<uInt>(out.size());
  int result = inflate(&stream, Z_FINISH);
  bool whole = result == Z_STREAM_END && stream.total_out == out.size();
  inflateEnd(&stream);
  return whole;
}

}  // namespace

ZipData ReadZipEntry(std::span<const std::uint8_t> zip, const ZipEntry& entry) {
  if (ZipProblem problem = CheckDeclared(entry); problem != ZipProblem::None) return {{}, problem};
  auto packed = PackedBytes(zip, entry);
  if (!packed) return {{}, ZipProblem::Damaged};
  ZipData data;
  data.bytes.resize(entry.size);
  bool unpacked = true;
  if (entry.method == kStored)
    std::copy(packed->begin(), packed->end(), data.bytes.begin());
  else
    unpacked = Inflate(*packed, data.bytes);
  uLong crc = crc32(0L, data.bytes.data(), static_cast<uInt>(data.bytes.size()));
  if (!unpacked || crc != entry.crc) return {{}, ZipProblem::Damaged};
  return data;
}

}  // namespace tarvik::waypoints::kmz
