#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace tarvik::platform {

// The common open and save dialogs. Each returns the chosen full path, or
// nullopt when the user cancelled.
struct FileDialogOptions {
  std::string filter;          // "Description|pattern", as in "Marker Files (*.mkr)|*.mkr"
  std::string initial_name;    // offered in the file name box
  bool hide_read_only = true;  // no read-only check box
  // Save: added to a name typed without an extension; the dialog takes the
  // chosen filter's extension instead, when it has one. Empty: none added.
  std::string default_extension;
};

class FileDialogs {
 public:
  virtual ~FileDialogs() = default;
  virtual std::optional<std::string> ShowOpen(const FileDialogOptions& options) = 0;
  virtual std::optional<std::string> ShowSave(const FileDialogOptions& options) = 0;
};

}  // namespace tarvik::platform
