#pragma once

#include <map>
#include <memory>
#include <set>
#include <string>

#include "platform/RecoveryPlace.h"
#include "platform/memory/MemoryFiles.h"

namespace tarvik::platform::memory {

// The recovery folder among in-memory files. Marks are held in this
// object; a test says which belong to runs that are still alive, and when
// each file was last written.
class MemoryRecoveryPlace : public RecoveryPlace {
 public:
  explicit MemoryRecoveryPlace(MemoryFiles& files) : files_(files) {}

  std::optional<std::string> Folder() const override { return folder; }
  bool MakeFolder(std::string_view) override { return true; }
  std::vector<FolderEntry> FilesIn(std::string_view folder) const override;
  std::string UniqueName() const override { return "run" + std::to_string(++names_); }
  LocalTime Now() const override { return now; }
  std::unique_ptr<Hold> Claim(std::string_view path) override;

  // A living run holds this mark.
  void HeldElsewhere(std::string_view path) { held_.insert(MemoryFiles::Key(path)); }
  bool Held(std::string_view path) const { return held_.count(MemoryFiles::Key(path)) != 0; }
  void SetWritten(std::string_view path, LocalTime when) {
    written_[MemoryFiles::Key(path)] = when;
  }

  std::optional<std::string> folder = "C:\\Users\\me\\AppData\\Local\\Tarvik\\Recovery";
  LocalTime now{2024, 5, 3, 14, 22, 0};

 private:
  class MemoryHold;

  MemoryFiles& files_;
  std::set<std::string> held_;
  std::map<std::string, LocalTime> written_;
  mutable int names_ = 0;
};

}  // namespace tarvik::platform::memory
