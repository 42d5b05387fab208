#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <vector>

#include "platform/DocumentPieces.h"
#include "waypoints/kmz/ZipDirectory.h"

namespace tarvik::waypoints::kmz {

// The largest file the program reads (platform::kLargestReadable): an entry
// may not unpack to more.
inline constexpr std::uint64_t kMaxUnpackedBytes = 256ull * 1024 * 1024;
// Text deflates to a tenth or so; deflate cannot pack more than about
// 1,030 to 1, so a higher ratio claimed is a lie, and one near it a bomb.
inline constexpr std::uint64_t kMaxPackingRatio = 1000;

struct InflateStream;

// One entry of an archive in memory, stored or inflated a piece at a time
// as it is read, as often as it is read: nothing of it is kept but the
// piece last handed out. Inflating never goes more than a byte past the
// declared size, and as the entry ends its size and CRC-32 are checked:
// more data than declared, or less, or another CRC, is damage.
class ZipEntryPieces final : public platform::DocumentPieces {
 public:
  // `packed` stays where it is while this reads it.
  ZipEntryPieces(std::span<const std::uint8_t> packed, const ZipEntry& entry);
  ZipEntryPieces(ZipEntryPieces&&) noexcept;
  ZipEntryPieces& operator=(ZipEntryPieces&&) noexcept;
  ~ZipEntryPieces() override;

  void Restart() override;
  std::span<const std::uint8_t> Next() override;
  bool Failed() const override { return problem_ != ZipProblem::None; }
  ZipProblem Problem() const { return problem_; }

 private:
  std::span<const std::uint8_t> Inflate();
  std::span<const std::uint8_t> Stored();
  void End();

  std::span<const std::uint8_t> packed_;
  std::uint32_t size_;
  std::uint32_t crc_;
  std::unique_ptr<InflateStream> inflate_;  // none for a stored entry
  std::vector<std::uint8_t> piece_;
  std::uint64_t handed_out_ = 0;
  std::uint32_t running_crc_ = 0;
  bool ended_ = false;
  bool verified_ = false;  // a pass has ended with the declared size and CRC
  ZipProblem problem_ = ZipProblem::None;
};

struct ZipEntryOpened {
  std::optional<ZipEntryPieces> pieces;
  ZipProblem problem = ZipProblem::None;
};

// The entry ready to be read, once its declared sizes are checked against
// the limits and its packed bytes found within the archive; nothing is
// unpacked yet.
ZipEntryOpened OpenZipEntry(std::span<const std::uint8_t> zip, const ZipEntry& entry);

}  // namespace tarvik::waypoints::kmz
