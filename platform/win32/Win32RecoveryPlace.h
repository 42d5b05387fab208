#pragma once

#include "platform/RecoveryPlace.h"

namespace tarvik::platform::win32 {

// %LOCALAPPDATA%\Tarvik\Recovery. A run's mark is a file it holds open
// with no sharing and removes on closing: Windows closes it however the
// process ends, so a mark that another run can open is one no living run
// holds.
class Win32RecoveryPlace final : public RecoveryPlace {
 public:
  std::optional<std::string> Folder() const override;
  bool MakeFolder(std::string_view path) override;
  std::vector<FolderEntry> FilesIn(std::string_view folder) const override;
  std::string UniqueName() const override;
  LocalTime Now() const override;
  std::unique_ptr<Hold> Claim(std::string_view path) override;
};

}  // namespace tarvik::platform::win32
