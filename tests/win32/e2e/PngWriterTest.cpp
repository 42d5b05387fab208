#include "PngWriter.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <numeric>
#include <string>
#include <string_view>
#include <vector>

namespace tarvik::e2e {
namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes BytesOf(std::string_view text) { return Bytes(text.begin(), text.end()); }

std::uint32_t BigEndianAt(const Bytes& bytes, size_t at) {
  return (std::uint32_t{bytes.at(at)} << 24) | (std::uint32_t{bytes.at(at + 1)} << 16) |
         (std::uint32_t{bytes.at(at + 2)} << 8) | bytes.at(at + 3);
}

// Reads a zlib stream of stored blocks back, checking each block's length
// against its complement; a compressed block fails the test.
Bytes Unstore(const Bytes& zlib) {
  EXPECT_EQ((zlib.at(0) * 256 + zlib.at(1)) % 31, 0);
  EXPECT_EQ(zlib.at(0) & 0x0F, 8) << "not deflate";
  Bytes data;
  size_t at = 2;
  for (bool last = false; !last;) {
    std::uint8_t header = zlib.at(at);
    last = header & 1;
    EXPECT_EQ(header >> 1, 0) << "not a stored block";
    unsigned length = zlib.at(at + 1) | (zlib.at(at + 2) << 8);
    unsigned complement = zlib.at(at + 3) | (zlib.at(at + 4) << 8);
    EXPECT_EQ(length ^ 0xFFFFu, complement);
    data.insert(data.end(), zlib.begin() + static_cast<std::ptrdiff_t>(at + 5),
                zlib.begin() + static_cast<std::ptrdiff_t>(at + 5 + length));
    at += 5 + length;
  }
  EXPECT_EQ(BigEndianAt(zlib, at), Adler32(data));
  EXPECT_EQ(at + 4, zlib.size());
  return data;
}

struct Chunk {
  std::string type;
  Bytes data;
  bool crc_ok = false;
};

std::vector<Chunk> ChunksOf(const Bytes& png) {
  std::vector<Chunk> chunks;
  for (size_t at = 8; at < png.size();) {
    std::uint32_t length = BigEndianAt(png, at);
    auto begin = png.begin() + static_cast<std::ptrdiff_t>(at + 4);
    Chunk chunk{std::string(begin, begin + 4), Bytes(begin + 4, begin + 4 + length)};
    Bytes covered(begin, begin + 4 + length);
    chunk.crc_ok = BigEndianAt(png, at + 8 + length) == Crc32(covered);
    chunks.push_back(chunk);
    at += 12 + length;
  }
  return chunks;
}

TEST(PngChecksums, MatchPublishedCheckValues) {
  EXPECT_EQ(Crc32(BytesOf("123456789")), 0xCBF43926u);
  EXPECT_EQ(Crc32(BytesOf("")), 0u);
  EXPECT_EQ(Crc32(BytesOf("IEND")), 0xAE426082u);
  EXPECT_EQ(Crc32(BytesOf("6789"), Crc32(BytesOf("12345"))), 0xCBF43926u);
  EXPECT_EQ(Adler32(BytesOf("Wikipedia")), 0x11E60398u);
  EXPECT_EQ(Adler32(BytesOf("")), 1u);
}

TEST(PngZlib, StoredBlocksCarryLongDataInPiecesOfAtMost65535Bytes) {
  Bytes data(70000);
  std::iota(data.begin(), data.end(), std::uint8_t{0});
  Bytes zlib = ZlibStored(data);
  EXPECT_EQ(zlib.at(2), 0) << "the first of two blocks is not the last";
  EXPECT_EQ(zlib.at(3) | (zlib.at(4) << 8), 65535);
  EXPECT_EQ(Unstore(zlib), data);
  EXPECT_EQ(Unstore(ZlibStored({})), Bytes());
}

TEST(PngEncoder, WritesSignatureHeaderRowsAndEnd) {
  RgbImage image{2, 2, {255, 0, 0, 0, 255, 0, 0, 0, 255, 10, 20, 30}};
  Bytes png = EncodePng(image);
  ASSERT_GT(png.size(), 8u);
  EXPECT_EQ(Bytes(png.begin(), png.begin() + 8),
            (Bytes{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'}));

  std::vector<Chunk> chunks = ChunksOf(png);
  ASSERT_EQ(chunks.size(), 3u);
  EXPECT_EQ(chunks[0].type, "IHDR");
  EXPECT_EQ(chunks[0].data, (Bytes{0, 0, 0, 2, 0, 0, 0, 2, 8, 2, 0, 0, 0}));
  EXPECT_EQ(chunks[1].type, "IDAT");
  EXPECT_EQ(Unstore(chunks[1].data),
            (Bytes{0, 255, 0, 0, 0, 255, 0,  // filter byte, red, green
                   0, 0, 0, 255, 10, 20, 30}));
  EXPECT_EQ(chunks[2].type, "IEND");
  EXPECT_TRUE(chunks[2].data.empty());
  for (const Chunk& chunk : chunks) EXPECT_TRUE(chunk.crc_ok) << chunk.type;
}

TEST(PngEncoder, RefusesPixelsThatDoNotFitTheSize) {
  EXPECT_TRUE(EncodePng(RgbImage{2, 2, Bytes(11)}).empty());
  EXPECT_TRUE(EncodePng(RgbImage{0, 0, {}}).empty());
}

}  // namespace
}  // namespace tarvik::e2e
