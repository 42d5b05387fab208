#pragma once

#include <filesystem>

namespace tarvik::e2e {

// A new empty folder under the system's temporary folder, removed with
// everything in it when the owner goes.
class TempFolder {
 public:
  TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;
  ~TempFolder();

  const std::filesystem::path& Path() const { return path_; }

 private:
  std::filesystem::path path_;
};

}  // namespace tarvik::e2e
