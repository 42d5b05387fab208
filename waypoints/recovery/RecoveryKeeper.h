#pragma once

#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>

#include "platform/Files.h"
#include "platform/RecoveryPlace.h"
#include "waypoints/recovery/LeftCopies.h"
#include "waypoints/undo/RowStore.h"

namespace tarvik::waypoints::recovery {

// Keeps this run's copy of the unsaved list, written on a thread of its
// own so that the window never waits for the disk: the window hands over
// the rows (a copy that shares their storage) and goes on. Only the newest
// state is written; one that arrives while a write runs waits for it.
// Each write is the Save way, a new file and then a move that replaces.
class RecoveryKeeper {
 public:
  RecoveryKeeper(platform::RecoveryPlace& place, platform::Files& files);
  // An end that was not normal: whatever was handed over is written, and
  // the copy stays for the next start.
  ~RecoveryKeeper();
  RecoveryKeeper(const RecoveryKeeper&) = delete;
  RecoveryKeeper& operator=(const RecoveryKeeper&) = delete;

  // The list has unsaved changes; `document_path` is empty for an untitled one.
  void Keep(undo::RowStore rows, std::string document_path);
  // Nothing is left to recover: the copy goes.
  void Discard();
  // Goes on with a copy left by an earlier run, under its name, before
  // this run has kept anything.
  void Adopt(LeftCopy& copy);
  // The run ends normally: waits for the thread, and removes the copy
  // unless `keep_copy`. Nothing is kept after this.
  void Finish(bool keep_copy);

  // The warning for the first failure since the last success, once.
  std::optional<std::string> TakeFailure();
  // Until everything handed over is on the disk.
  void WaitUntilIdle();

 private:
  struct Job {
    bool keep = false;  // else remove
    undo::RowStore rows;
    std::string document_path;
  };

  void Run();
  void Do(const Job& job);
  // What went wrong, or nullopt.
  std::optional<std::string> Write(const Job& job);
  std::optional<std::string> Remove();
  using Writer = std::function<platform::FileStatus(const std::string& path)>;
  platform::FileStatus WriteReplacing(const std::string& path, const Writer& write);

  platform::RecoveryPlace& place_;
  platform::Files& files_;

  std::mutex mutex_;
  std::condition_variable wake_;
  std::condition_variable idle_;
  std::optional<Job> next_;
  bool busy_ = false;
  bool stopping_ = false;
  bool finished_ = false;
  std::optional<std::string> failure_;  // not yet told
  bool failing_ = false;                // told, and not written since

  // The thread's own, and the window's once the thread has stopped.
  std::string folder_;
  std::string name_;
  std::unique_ptr<platform::RecoveryPlace::Hold> hold_;
  std::optional<std::string> path_written_;

  std::thread worker_;  // last: it starts once everything above is made
};

}  // namespace tarvik::waypoints::recovery
