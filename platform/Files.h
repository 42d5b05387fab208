#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tarvik::platform {

using Bytes = std::vector<std::uint8_t>;

// The largest file ReadAll takes: far above any real Marker file, and small
// enough that the file and its decoded text fit in a 32-bit process.
inline constexpr std::uint64_t kLargestReadable = 256ull * 1024 * 1024;

enum class FileStatus {
  Ok,
  NotFound,      // no file at the path (or a folder on the way is missing)
  Exists,        // creating a new file where one already is
  Denied,        // read-only, locked, or not allowed
  Failed,        // anything else: a full disk, a broken device
  TooLarge,      // larger than kLargestReadable; nothing was read
};

template <class Value>
struct FileResult {
  FileStatus status = FileStatus::Failed;
  Value value{};
  bool ok() const { return status == FileStatus::Ok; }
};

// Raw file operations on full paths (UTF-8). Nothing here converts text.
class Files {
 public:
  virtual ~Files() = default;

  virtual bool Exists(std::string_view path) const = 0;
  // At most `count` bytes from the start; never creates the file.
  virtual FileResult<Bytes> ReadFirst(std::string_view path, std::size_t count) const = 0;
  // The whole file, unless it is larger than kLargestReadable.
  virtual FileResult<Bytes> ReadAll(std::string_view path) const = 0;
  // The same bytes handed to `take` a piece at a time, in order, so that a
  // large file is never held whole in memory. Refuses what ReadAll refuses
  // before handing out any piece; a failure part-way comes after the pieces
  // before it.
  virtual FileStatus ReadInPieces(std::string_view path,
                                  const std::function<void(const Bytes&)>& take) const = 0;
  // Creates a new file holding exactly `bytes`, on the disk when this
  // returns Ok; refuses to replace one.
  virtual FileStatus CreateNew(std::string_view path, const Bytes& bytes) = 0;
  // The same from pieces written as they come, so that a large file is never
  // held whole in memory: `next_piece` replaces what its buffer holds with
  // the next piece and leaves it empty after the last.
  virtual FileStatus CreateNewInPieces(std::string_view path,
                                       const std::function<void(Bytes&)>& next_piece) = 0;
  // A read-only file is neither deleted nor moved, nor replaced by a move.
  virtual FileStatus Delete(std::string_view path) = 0;
  // Renames a file within its folder. A file at `to` is replaced in the
  // same step: at no moment is there neither the old nor the new file.
  virtual FileStatus Move(std::string_view from, std::string_view to) = 0;
};

}  // namespace tarvik::platform
