#pragma once

#include <cstdint>
#include <filesystem>
#include <span>
#include <vector>

namespace tarvik::e2e {

// A picture of 8-bit red, green, blue triples, rows top to bottom.
struct RgbImage {
  int width = 0;
  int height = 0;
  std::vector<std::uint8_t> rgb;
};

std::uint32_t Crc32(std::span<const std::uint8_t> bytes, std::uint32_t crc = 0);
std::uint32_t Adler32(std::span<const std::uint8_t> bytes);

// A zlib stream of stored (uncompressed) deflate blocks: screenshots are
// small, and this needs no compressor.
std::vector<std::uint8_t> ZlibStored(std::span<const std::uint8_t> data);

std::vector<std::uint8_t> EncodePng(const RgbImage& image);
bool WritePng(const RgbImage& image, const std::filesystem::path& file);

}  // namespace tarvik::e2e
