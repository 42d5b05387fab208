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
  std::filesystem::remove_all(path_, ignored);
}

}  // namespace tarvik::e2e
