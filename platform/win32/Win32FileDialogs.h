#pragma once

#include "platform/FileDialogs.h"

namespace tarvik::platform::win32 {

// The common Open and Save As dialogs of comdlg32.
class Win32FileDialogs : public FileDialogs {
 public:
  std::optional<std::string> ShowOpen(const FileDialogOptions& options) override;
  std::optional<std::string> ShowSave(const FileDialogOptions& options) override;
};

}  // namespace tarvik::platform::win32
