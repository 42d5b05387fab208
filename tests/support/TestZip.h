#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace tarvik::tests {

// One file of a zip archive made by a test; the optional fields put
// another value into both its headers than the true one.
struct ZipFile {
  std::string name;
  std::string content;
  bool deflate = true;
  std::optional<std::uint16_t> flags = {};
  std::optional<std::uint16_t> method = {};
  std::optional<std::uint32_t> size = {};
  std::optional<std::uint32_t> crc = {};
};

// A zip archive laid out as the format's published description has it:
// local headers and data, the central directory, its end record.
std::string MakeZip(const std::vector<ZipFile>& files);

}  // namespace tarvik::tests
