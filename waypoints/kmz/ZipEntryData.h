#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "waypoints/kmz/ZipDirectory.h"

namespace tarvik::waypoints::kmz {

// The largest file the program reads (platform::kLargestReadable): an entry
// may not unpack to more.
inline constexpr std::uint64_t kMaxUnpackedBytes = 256ull * 1024 * 1024;
// Text deflates to a tenth or so; deflate cannot pack more than about
// 1,030 to 1, so a higher ratio claimed is a lie, and one near it a bomb.
inline constexpr std::uint64_t kMaxPackingRatio = 1000;

struct ZipData {
  std::vector<std::uint8_t> bytes;
  ZipProblem problem = ZipProblem::None;
};

// The entry's bytes, stored or inflated in memory and checked against its
// size and CRC-32. Its declared sizes are checked against the limits before
// anything is unpacked, and inflating stops at the declared size.
ZipData ReadZipEntry(std::span<const std::uint8_t> zip, const ZipEntry& entry);

}  // namespace tarvik::waypoints::kmz
