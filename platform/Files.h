#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tarvik::platform {

using Bytes = std::vector<std::uint8_t>;

enum class FileStatus {
  Ok,
  NotFound,      // no file at the path (or a folder on the way is missing)
  Exists,        // creating a new file where one already is
  Denied,        // read-only, locked, or not allowed
  Failed,        // anything else: a full disk, a broken device
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
  virtual FileResult<Bytes> ReadAll(std::string_view path) const = 0;
  // Creates a new file holding exactly `bytes`; refuses to replace one.
  virtual FileStatus CreateNew(std::string_view path, const Bytes& bytes) = 0;
  // The same from pieces written as they come, so that a large file is never
  // held whole in memory: `next_piece` replaces what its buffer holds with
  // the next piece and leaves it empty after the last.
  virtual FileStatus CreateNewInPieces(std::string_view path,
                                       const std::function<void(Bytes&)>& next_piece) = 0;
  // Copies to a destination that must not exist yet. The copy is never
  // read-only, so that it can be deleted again.
  virtual FileStatus Copy(std::string_view from, std::string_view to) = 0;
  virtual FileStatus Delete(std::string_view path) = 0;
};

}  // namespace tarvik::platform
