#include "waypoints/kmz/ZipEntryPieces.h"

#include <zlib.h>

#include <algorithm>

namespace tarvik::waypoints::kmz {

namespace {

constexpr std::size_t kLocalSize = 30;
constexpr std::uint16_t kEncryptedFlag = 0x0001;
constexpr std::uint16_t kStored = 0;
constexpr std::uint16_t kDeflated = 8;

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

}  // namespace

// zlib's raw deflate stream; it points at itself, so it stays where it was
// made.
struct InflateStream {
  InflateStream() { ready = inflateInit2(&stream, -MAX_WBITS) == Z_OK; }
  ~InflateStream() {
    if (ready) inflateEnd(&stream);
  }
  InflateStream(const InflateStream&) = delete;
  InflateStream& operator=(const InflateStream&) = delete;

  z_stream stream{};
  bool ready = false;
  bool ended = false;
};

ZipEntryPieces::ZipEntryPieces(std::span<const std::uint8_t> packed, const ZipEntry& entry)
    : packed_(packed), size_(entry.size), crc_(entry.crc) {
  if (entry.method == kDeflated) {
    inflate_ = std::make_unique<InflateStream>();
    piece_.resize(platform::kDocumentPieceBytes);
  }
  Restart();
}

ZipEntryPieces::ZipEntryPieces(ZipEntryPieces&&) noexcept = default;
ZipEntryPieces& ZipEntryPieces::operator=(ZipEntryPieces&&) noexcept = default;
ZipEntryPieces::~ZipEntryPieces() = default;

void ZipEntryPieces::Restart() {
  handed_out_ = 0;
  running_crc_ = 0;
  ended_ = false;
  problem_ = ZipProblem::None;
  if (!inflate_) return;
  if (!inflate_->ready || inflateReset(&inflate_->stream) != Z_OK) {
    problem_ = ZipProblem::Damaged;
    return;
  }
  static std::uint8_t none = 0;
  inflate_->stream.next_in = const_cast<Bytef*>(packed_.empty() ? &none : packed_.data());
  inflate_->stream.avail_in = static_cast<uInt>(packed_.size());
  inflate_->ended = false;
}

std::span<const std::uint8_t> ZipEntryPieces::Next() {
  if (ended_ || Failed()) return {};
  std::span<const std::uint8_t> piece = inflate_ ? Inflate() : Stored();
  if (Failed()) return {};
  if (piece.empty()) {
    End();
    return {};
  }
  if (!verified_) {
    running_crc_ = static_cast<std::uint32_t>(
        crc32(running_crc_, piece.data(), static_cast<uInt>(piece.size())));
  }
  return piece;
}

std::span<const std::uint8_t> ZipEntryPieces::Stored() {
  std::size_t count = std::min<std::size_t>(platform::kDocumentPieceBytes,
                                            packed_.size() - handed_out_);
  std::span<const std::uint8_t> piece = packed_.subspan(handed_out_, count);
  handed_out_ += count;
  return piece;
}

// Room for one byte more than the declared size shows an entry that holds
// more. zlib moves on with every call that answers Z_OK and answers
// Z_BUF_ERROR when it cannot, so the loop ends; packed data that ends
// before the stream does is damage.
std::span<const std::uint8_t> ZipEntryPieces::Inflate() {
  z_stream& stream = inflate_->stream;
  std::size_t made = 0;
  while (made == 0 && !inflate_->ended) {
    auto room = static_cast<uInt>(
        std::min<std::uint64_t>(piece_.size(), std::uint64_t{size_} - handed_out_ + 1));
    stream.next_out = piece_.data();
    stream.avail_out = room;
    int result = inflate(&stream, Z_NO_FLUSH);
    made = room - stream.avail_out;
    handed_out_ += made;
    if (result == Z_STREAM_END) inflate_->ended = true;
    if ((result != Z_OK && result != Z_STREAM_END) || handed_out_ > size_) {
      problem_ = ZipProblem::Damaged;
      return {};
    }
  }
  return {piece_.data(), made};
}

// The packed bytes stay as they are and inflating them always gives the
// same, so the CRC is worked out on the first pass through only.
void ZipEntryPieces::End() {
  ended_ = true;
  if (handed_out_ != size_ || (!verified_ && running_crc_ != crc_)) {
    problem_ = ZipProblem::Damaged;
    return;
  }
  verified_ = true;
}

ZipEntryOpened OpenZipEntry(std::span<const std::uint8_t> zip, const ZipEntry& entry) {
  if (ZipProblem problem = CheckDeclared(entry); problem != ZipProblem::None) return {{}, problem};
  auto packed = PackedBytes(zip, entry);
  if (!packed) return {{}, ZipProblem::Damaged};
  return {ZipEntryPieces(*packed, entry), ZipProblem::None};
}

}  // namespace tarvik::waypoints::kmz
