#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/Files.h"
#include "platform/RecoveryPlace.h"
#include "waypoints/RowBlock.h"

namespace tarvik::waypoints::recovery {

// A copy whose run ended without closing normally, read whole and now held
// by this run, so that no other run offers it meanwhile.
struct LeftCopy {
  std::string name;
  std::string file;           // the copy's Marker file
  std::string document_path;  // empty for an untitled list
  RowBlock rows;              // in the file's order
  platform::LocalTime written;
  std::unique_ptr<platform::RecoveryPlace::Hold> hold;
};

struct LeftCopies {
  std::vector<LeftCopy> copies;  // the last written first
  // Copies that could not be read, now in Declined, by the path they had.
  std::vector<std::string> unreadable;
};

// The folder of copies as a run finds it at start.
class RecoveryFolder {
 public:
  RecoveryFolder(platform::RecoveryPlace& place, platform::Files& files)
      : place_(place), files_(files) {}

  // Every copy whose run has ended; a copy a living run holds is left alone.
  LeftCopies TakeLeftCopies();
  // The user said No: the copy goes to Declined, where the ten declined
  // last are kept. False when it could not be moved; it stays then, and is
  // offered again at the next start.
  bool Decline(const LeftCopy& copy);

 private:
  std::optional<LeftCopy> Read(const std::string& folder, const std::string& name,
                               const platform::LocalTime& written);
  bool MoveToDeclined(const std::string& folder, const std::string& name);
  void DropDeclinedBeyondKept(const std::string& declined);

  platform::RecoveryPlace& place_;
  platform::Files& files_;
};

}  // namespace tarvik::waypoints::recovery
