#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tarvik::platform {

// A moment in the user's own time zone, as a person reads a clock.
struct LocalTime {
  int year = 0;
  int month = 0;
  int day = 0;
  int hour = 0;
  int minute = 0;
  int second = 0;
};

struct FolderEntry {
  std::string name;  // without the folder
  LocalTime written;
};

// Where the program keeps its copies of unsaved work between runs, and what
// tells a copy of a running program from one that a program left behind.
// The files themselves are read and written through Files.
class RecoveryPlace {
 public:
  virtual ~RecoveryPlace() = default;

  // The folder for the copies, whether or not it exists yet; nullopt when
  // the user has none.
  virtual std::optional<std::string> Folder() const = 0;
  // Makes the folder and any missing folder above it; false when it cannot.
  virtual bool MakeFolder(std::string_view path) = 0;
  // The files directly in the folder (no folders), in no particular order;
  // none when it does not exist.
  virtual std::vector<FolderEntry> FilesIn(std::string_view folder) const = 0;
  // A name no other run of the program has taken, for this run's copy.
  virtual std::string UniqueName() const = 0;
  virtual LocalTime Now() const = 0;

  // Held while it lives; gone, the mark goes too.
  class Hold {
   public:
    virtual ~Hold() = default;
  };
  // Holds the mark at `path` for this process, making it when missing, so
  // that no other process can hold it while this one lives; when this one
  // ends, however it ends, the mark is free again. Nullptr when a living
  // process holds it.
  virtual std::unique_ptr<Hold> Claim(std::string_view path) = 0;
};

}  // namespace tarvik::platform
