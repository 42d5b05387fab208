#include "PngWriter.h"

#include <algorithm>
#include <array>
#include <fstream>
#include <string_view>

namespace tarvik::e2e {

namespace {

constexpr std::uint32_t kCrcPolynomial = 0xEDB88320;  // reflected IEEE 802.3
constexpr std::uint32_t kAdlerModulus = 65521;
constexpr size_t kMaxStoredBlock = 65535;
constexpr std::uint8_t kColorTypeRgb = 2;
constexpr std::uint8_t kFilterNone = 0;

constexpr std::array<std::uint32_t, 256> MakeCrcTable() {
  std::array<std::uint32_t, 256> table{};
  for (std::uint32_t n = 0; n < 256; ++n) {
    std::uint32_t c = n;
    for (int k = 0; k < 8; ++k) c = (c & 1) ? kCrcPolynomial ^ (c >> 1) : c >> 1;
    table[n] = c;
  }
  return table;
}

constexpr auto kCrcTable = MakeCrcTable();

void PutBigEndian(std::vector<std::uint8_t>& out, std::uint32_t value) {
  for (int shift = 24; shift >= 0; shift -= 8) {
    out.push_back(static_cast<std::uint8_t>(value >> shift));
  }
}

void PutChunk(std::vector<std::uint8_t>& out, std::string_view type,
              std::span<const std::uint8_t> data) {
  PutBigEndian(out, static_cast<std::uint32_t>(data.size()));
  size_t type_at = out.size();
  out.insert(out.end(), type.begin(), type.end());
  out.insert(out.end(), data.begin(), data.end());
  // The chunk's CRC covers its type and data, not its length.
  PutBigEndian(out, Crc32(std::span(out).subspan(type_at)));
}

std::vector<std::uint8_t> HeaderData(const RgbImage& image) {
  std::vector<std::uint8_t> header;
  PutBigEndian(header, static_cast<std::uint32_t>(image.width));
  PutBigEndian(header, static_cast<std::uint32_t>(image.height));
  // Bit depth 8, colour type RGB, deflate, adaptive filtering, no interlace.
  header.insert(header.end(), {8, kColorTypeRgb, 0, 0, 0});
  return header;
}

// Every scan line starts with its filter type byte.
std::vector<std::uint8_t> FilteredRows(const RgbImage& image) {
  auto row_bytes = static_cast<size_t>(image.width) * 3;
  std::vector<std::uint8_t> rows;
  rows.reserve((row_bytes + 1) * static_cast<size_t>(image.height));
  for (int y = 0; y < image.height; ++y) {
    rows.push_back(kFilterNone);
    auto begin =
        image.rgb.begin() + static_cast<std::ptrdiff_t>(row_bytes * static_cast<size_t>(y));
    rows.insert(rows.end(), begin, begin + static_cast<std::ptrdiff_t>(row_bytes));
  }
  return rows;
}

}  // namespace

std::uint32_t Crc32(std::span<const std::uint8_t> bytes, std::uint32_t crc) {
  crc = ~crc;
  for (std::uint8_t byte : bytes) crc = kCrcTable[(crc ^ byte) & 0xFF] ^ (crc >> 8);
  return ~crc;
}

std::uint32_t Adler32(std::span<const std::uint8_t> bytes) {
  std::uint32_t a = 1;
  std::uint32_t b = 0;
  for (std::uint8_t byte : bytes) {
    a = (a + byte) % kAdlerModulus;
    b = (b + a) % kAdlerModulus;
  }
  return (b << 16) | a;
}

std::vector<std::uint8_t> ZlibStored(std::span<const std::uint8_t> data) {
  // CMF 0x78: deflate with a 32 KB window; FLG 0x01 makes CMF*256+FLG a
  // multiple of 31, as the zlib header requires.
  std::vector<std::uint8_t> out{0x78, 0x01};
  size_t offset = 0;
  do {
    size_t length = std::min(kMaxStoredBlock, data.size() - offset);
    bool last = offset + length == data.size();
    out.push_back(last ? 1 : 0);  // BFINAL, BTYPE 00 (stored)
    auto len = static_cast<std::uint16_t>(length);
    auto nlen = static_cast<std::uint16_t>(~len);
    out.insert(out.end(), {static_cast<std::uint8_t>(len), static_cast<std::uint8_t>(len >> 8),
                           static_cast<std::uint8_t>(nlen), static_cast<std::uint8_t>(nlen >> 8)});
    out.insert(out.end(), data.begin() + static_cast<std::ptrdiff_t>(offset),
               data.begin() + static_cast<std::ptrdiff_t>(offset + length));
    offset += length;
  } while (offset < data.size());
  PutBigEndian(out, Adler32(data));
  return out;
}

std::vector<std::uint8_t> EncodePng(const RgbImage& image) {
  auto pixels = static_cast<size_t>(image.width) * static_cast<size_t>(image.height);
  if (image.width <= 0 || image.height <= 0 || image.rgb.size() != pixels * 3) return {};
  static constexpr std::uint8_t kSignature[] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  std::vector<std::uint8_t> png(std::begin(kSignature), std::end(kSignature));
  PutChunk(png, "IHDR", HeaderData(image));
  PutChunk(png, "IDAT", ZlibStored(FilteredRows(image)));
  PutChunk(png, "IEND", {});
  return png;
}

bool WritePng(const RgbImage& image, const std::filesystem::path& file) {
  std::vector<std::uint8_t> png = EncodePng(image);
  if (png.empty()) return false;
  std::ofstream out(file, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(png.data()), static_cast<std::streamsize>(png.size()));
  return static_cast<bool>(out);
}

}  // namespace tarvik::e2e
