#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <span>

#include "platform/Files.h"

namespace tarvik::platform {

// What a reader takes of a document at a time: the XML library reads a
// KML unpacked from a KMZ archive this way, so that it is never held whole.
inline constexpr std::size_t kDocumentPieceBytes = 64 * 1024;

// A document handed out a piece at a time, and again from its start when
// asked: the checks read it through once, the XML library a second time.
class DocumentPieces {
 public:
  virtual ~DocumentPieces() = default;
  // Back to the first piece.
  virtual void Restart() = 0;
  // The next piece, valid until the next call; empty after the last one,
  // and when the document cannot be read on.
  virtual std::span<const std::uint8_t> Next() = 0;
  // The document could not be read to its end; its owner says why.
  virtual bool Failed() const = 0;
};

// Bytes already in memory, handed out in pieces of the given size.
class BytesInPieces final : public DocumentPieces {
 public:
  explicit BytesInPieces(std::span<const std::uint8_t> bytes,
                         std::size_t piece_bytes = kDocumentPieceBytes)
      : bytes_(bytes), piece_bytes_(std::max<std::size_t>(piece_bytes, 1)) {}

  void Restart() override { at_ = 0; }
  std::span<const std::uint8_t> Next() override {
    std::span<const std::uint8_t> piece =
        bytes_.subspan(at_, std::min(piece_bytes_, bytes_.size() - at_));
    at_ += piece.size();
    return piece;
  }
  bool Failed() const override { return false; }

 private:
  std::span<const std::uint8_t> bytes_;
  std::size_t piece_bytes_;
  std::size_t at_ = 0;
};

}  // namespace tarvik::platform
