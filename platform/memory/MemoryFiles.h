#pragma once

#include <cstdint>
#include <deque>
#include <exception>
#include <functional>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "platform/FileDialogs.h"
#include "platform/Files.h"

namespace tarvik::platform::memory {

// Files in memory, paths compared without regard to letter case as on
// Windows. A test can make any operation fail or throw, by kind and path or
// by its place in the sequence, and watch every change as it happens, to
// prove that a failure at each step leaves the old contents somewhere.
class MemoryFiles : public Files {
 public:
  enum class Operation { ReadFirst, ReadAll, CreateNew, Delete, Move };

  bool Exists(std::string_view path) const override;
  FileResult<Bytes> ReadFirst(std::string_view path, std::size_t count) const override;
  FileResult<Bytes> ReadAll(std::string_view path) const override;
  // As ReadAll, faults included, in pieces of a few bytes: tests then cross
  // every kind of boundary a reader of pieces must cope with.
  FileStatus ReadInPieces(std::string_view path,
                          const std::function<void(const Bytes&)>& take) const override;
  FileStatus CreateNew(std::string_view path, const Bytes& bytes) override;
  // Gathers the pieces and fails exactly as CreateNew does.
  FileStatus CreateNewInPieces(std::string_view path,
                               const std::function<void(Bytes&)>& next_piece) override;
  FileStatus Delete(std::string_view path) override;
  FileStatus Move(std::string_view from, std::string_view to) override;

  void Put(std::string_view path, Bytes bytes);
  std::optional<Bytes> Get(std::string_view path) const;
  // Every path held, in lower case.
  std::vector<std::string> Paths() const;
  // The operation on this path (for Move: the source) fails with `status`;
  // Ok lifts the fault again.
  void FailOn(Operation operation, std::string_view path, FileStatus status);
  // The operation on this path throws `exception` instead.
  void ThrowOn(Operation operation, std::string_view path, std::exception_ptr exception);
  // The `n`th operation from now (1 for the next; Exists is not counted)
  // fails with `status`, whatever its kind and path.
  void FailNth(int n, FileStatus status);
  bool NthFailed() const { return nth_failed_; }
  // Called after each operation that changed a file.
  void AfterEachChange(std::function<void()> watch) { watch_ = std::move(watch); }
  // A read-only file can be read, not deleted, moved or replaced.
  void MakeReadOnly(std::string_view path);
  // The file counts as this large, whatever bytes it holds.
  void ClaimSize(std::string_view path, std::uint64_t size);
  std::size_t Count() const { return files_.size(); }
  // How paths compare: in lower case.
  static std::string Key(std::string_view path);

 private:
  struct Fault {
    FileStatus status = FileStatus::Failed;
    std::exception_ptr exception;
  };
  // Counts the operation; the injected failure for it, if any, or throws.
  std::optional<FileStatus> Begin(Operation operation, std::string_view path) const;
  FileStatus Changed();
  bool ReadOnly(std::string_view path) const { return read_only_.count(Key(path)) != 0; }

  std::map<std::string, Bytes> files_;
  std::map<std::pair<Operation, std::string>, Fault> faults_;
  std::set<std::string> read_only_;
  std::map<std::string, std::uint64_t> claimed_sizes_;
  mutable int countdown_ = 0;  // operations left before the nth fails; 0 for none
  FileStatus nth_status_ = FileStatus::Failed;
  mutable bool nth_failed_ = false;
  std::function<void()> watch_;
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
