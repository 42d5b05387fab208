#include "TempFolder.h"

#include <windows.h>

#include <stdexcept>
#include <string>
#include <system_error>

namespace tarvik::e2e {

TempFolder::TempFolder() {
  std::filesystem::path base = std::filesystem::temp_directory_path();
  // Process id and tick count keep two runs, or two folders, apart.
  for (unsigned attempt = 0; attempt < 100; ++attempt) {
    path_ = base / (L"tarvik-e2e-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
                    std::to_wstring(GetTickCount64()) + L"-" + std::to_wstring(attempt));
    if (std::filesystem::create_directory(path_)) return;
  }
  throw std::runtime_error("cannot make a temporary folder");
}

TempFolder::~TempFolder() {
  std::error_code ignored;
  // A read-only file cannot be deleted, and with it its folder would stay.
  for (auto it = std::filesystem::recursive_directory_iterator(path_, ignored);
       it != std::filesystem::recursive_directory_iterator(); it.increment(ignored)) {
    DWORD attributes = GetFileAttributesW(it->path().c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY)) {
      SetFileAttributesW(it->path().c_str(),
                         attributes & ~static_cast<DWORD>(FILE_ATTRIBUTE_READONLY));
    }
  }
  std::filesystem::remove_all(path_, ignored);
}

}  // namespace tarvik::e2e
