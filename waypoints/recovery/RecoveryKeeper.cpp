#include "waypoints/recovery/RecoveryKeeper.h"

#include <exception>
#include <utility>

#include "platform/CommandFailure.h"
#include "waypoints/MarkerFile.h"
#include "waypoints/recovery/CopyNames.h"
#include "waypoints/recovery/CopyTexts.h"

namespace tarvik::waypoints::recovery {

namespace {

using platform::FileStatus;

std::string Why(FileStatus status) {
  switch (status) {
    case FileStatus::NotFound:
      return "the folder is missing.";
    case FileStatus::Denied:
      return "the folder or the copy is read-only or in use.";
    default:
      return "the disk may be full or unavailable.";
  }
}

}  // namespace

RecoveryKeeper::RecoveryKeeper(platform::RecoveryPlace& place, platform::Files& files)
    : place_(place), files_(files), worker_([this] { Run(); }) {}

RecoveryKeeper::~RecoveryKeeper() { Finish(true); }

void RecoveryKeeper::Keep(undo::RowStore rows, std::string document_path) {
  std::lock_guard lock(mutex_);
  if (stopping_) return;
  next_ = Job{true, std::move(rows), std::move(document_path)};
  wake_.notify_one();
}

void RecoveryKeeper::Discard() {
  std::lock_guard lock(mutex_);
  if (stopping_) return;
  next_ = Job{};
  wake_.notify_one();
}

void RecoveryKeeper::Adopt(LeftCopy& copy) {
  WaitUntilIdle();
  std::lock_guard lock(mutex_);
  folder_ = place_.Folder().value_or("");
  name_ = copy.name;
  hold_ = std::move(copy.hold);
  path_written_ = copy.document_path;
}

void RecoveryKeeper::Finish(bool keep_copy) {
  {
    std::lock_guard lock(mutex_);
    if (finished_) return;
    finished_ = true;
    stopping_ = true;
    if (!keep_copy) next_.reset();
    wake_.notify_one();
  }
  worker_.join();
  // At the end of the run there is no one left to tell: a copy that could
  // not be removed is offered at the next start.
  if (!keep_copy) Remove();
  // Its mark gone, a copy left here is the next start's to offer.
  hold_.reset();
}

std::optional<std::string> RecoveryKeeper::TakeFailure() {
  std::lock_guard lock(mutex_);
  return std::exchange(failure_, std::nullopt);
}

void RecoveryKeeper::WaitUntilIdle() {
  std::unique_lock lock(mutex_);
  idle_.wait(lock, [this] { return !busy_ && !next_; });
}

void RecoveryKeeper::Run() {
  std::unique_lock lock(mutex_);
  for (;;) {
    wake_.wait(lock, [this] { return next_ || stopping_; });
    if (!next_) break;
    const Job job = std::move(*next_);
    next_.reset();
    busy_ = true;
    lock.unlock();
    Do(job);
    lock.lock();
    busy_ = false;
    idle_.notify_all();
  }
  idle_.notify_all();
}

void RecoveryKeeper::Do(const Job& job) {
  std::optional<std::string> failure;
  // Nothing may leave this thread: a failure is handed to the window.
  try {
    failure = job.keep ? Write(job) : Remove();
  } catch (...) {
    failure = KeptNotSentence(platform::FailureReason(std::current_exception()));
  }
  std::lock_guard lock(mutex_);
  if (!failure) {
    failing_ = false;
  } else if (!failing_) {
    failing_ = true;
    failure_ = folder_.empty() ? *failure : folder_ + "\r" + *failure;
  }
}

FileStatus RecoveryKeeper::WriteReplacing(const std::string& path, const Writer& write) {
  const std::string saving = path + ".saving";
  // Left behind by a write that was cut short.
  FileStatus status = files_.Exists(saving) ? files_.Delete(saving) : FileStatus::Ok;
  if (status == FileStatus::Ok) status = write(saving);
  if (status == FileStatus::Ok) status = files_.Move(saving, path);
  if (status != FileStatus::Ok && files_.Exists(saving)) files_.Delete(saving);
  return status;
}

std::optional<std::string> RecoveryKeeper::Write(const Job& job) {
  if (folder_.empty()) {
    const auto folder = place_.Folder();
    if (!folder) return KeptNotSentence("the user has no folder for local application data.");
    folder_ = *folder;
  }
  if (!place_.MakeFolder(folder_)) return KeptNotSentence(Why(FileStatus::NotFound));
  if (name_.empty()) name_ = place_.UniqueName();
  const CopyFiles files = FilesOf(folder_, name_);
  // The mark is held before a copy exists, so that no other run ever takes
  // this one's copy for one left behind.
  if (!hold_) hold_ = place_.Claim(files.owner);
  if (!hold_) return KeptNotSentence(Why(FileStatus::Denied));
  if (path_written_ != job.document_path) {
    const auto bytes = EncodePathFile(job.document_path);
    FileStatus status = WriteReplacing(files.path_file, [&](const std::string& saving) {
      return files_.CreateNew(saving, bytes);
    });
    if (status != FileStatus::Ok) return KeptNotSentence(Why(status));
    path_written_ = job.document_path;
  }
  MarkerFileEncoder encoder(static_cast<std::size_t>(job.rows.Count()), [&](std::size_t i) {
    return std::string(job.rows.Row(static_cast<int>(i)));
  });
  FileStatus status = WriteReplacing(files.copy, [&](const std::string& saving) {
    return files_.CreateNewInPieces(saving,
                                    [&](platform::Bytes& piece) { encoder.NextPiece(piece); });
  });
  if (status != FileStatus::Ok) return KeptNotSentence(Why(status));
  return std::nullopt;
}

std::optional<std::string> RecoveryKeeper::Remove() {
  if (folder_.empty() || name_.empty()) return std::nullopt;
  const CopyFiles files = FilesOf(folder_, name_);
  for (const std::string* path : {&files.copy, &files.path_file}) {
    if (!files_.Exists(*path)) continue;
    FileStatus status = files_.Delete(*path);
    if (status != FileStatus::Ok) return KeptNotSentence(Why(status));
  }
  path_written_.reset();
  return std::nullopt;
}

}  // namespace tarvik::waypoints::recovery
