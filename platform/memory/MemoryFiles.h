#pragma once

#include <deque>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "platform/FileDialogs.h"
#include "platform/Files.h"

namespace tarvik::platform::memory {

// Files in memory, paths compared without regard to letter case as on
// Windows. A test can make any operation on a path fail, to prove that a
// failure at each step leaves the old contents somewhere.
class MemoryFiles : public Files {
 public:
  enum class Operation { ReadFirst, ReadAll, CreateNew, Copy, Delete };

  bool Exists(std::string_view path) const override;
  FileResult<Bytes> ReadFirst(std::string_view path, std::size_t count) const override;
  FileResult<Bytes> ReadAll(std::string_view path) const override;
  FileStatus CreateNew(std::string_view path, const Bytes& bytes) override;
  // Gathers the pieces and fails exactly as CreateNew does.
  FileStatus CreateNewInPieces(std::string_view path,
                               const std::function<void(Bytes&)>& next_piece) override;
  FileStatus Copy(std::string_view from, std::string_view to) override;
  FileStatus Delete(std::string_view path) override;

  void Put(std::string_view path, Bytes bytes);
  std::optional<Bytes> Get(std::string_view path) const;
  // The operation on this path (for Copy: the source) fails with `status`.
  void FailOn(Operation operation, std::string_view path, FileStatus status);
  // A read-only file can be read and copied, not deleted or replaced.
  void MakeReadOnly(std::string_view path);
  std::size_t Count() const { return files_.size(); }

 private:
  static std::string Key(std::string_view path);
  std::optional<FileStatus> Fault(Operation operation, std::string_view path) const;

  std::map<std::string, Bytes> files_;
  std::map<std::pair<Operation, std::string>, FileStatus> faults_;
  std::set<std::string> read_only_;
};

// File dialogs that answer from a script and record what they were shown.
class ScriptedFileDialogs : public FileDialogs {
 public:
  std::optional<std::string> ShowOpen(const FileDialogOptions& options) override;
  std::optional<std::string> ShowSave(const FileDialogOptions& options) override;

  void ScriptChoice(std::optional<std::string> path) { answers_.push_back(std::move(path)); }
  struct Shown {
    bool save;
    FileDialogOptions options;
  };
  const std::vector<Shown>& History() const { return shown_; }

 private:
  std::optional<std::string> Next(bool save, const FileDialogOptions& options);

  std::deque<std::optional<std::string>> answers_;
  std::vector<Shown> shown_;
};

}  // namespace tarvik::platform::memory
