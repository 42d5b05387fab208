#include "RefusalLog.h"

#include <windows.h>

#include <fstream>

namespace tarvik::standins::testing {

RefusalLog::RefusalLog() {
  wchar_t name[MAX_PATH] = {};
  const std::filesystem::path folder = std::filesystem::temp_directory_path();
  // Makes the file, empty, with a name of its own.
  if (GetTempFileNameW(folder.c_str(), L"ref", 0, name)) path_ = name;
}

RefusalLog::~RefusalLog() {
  std::error_code ignored;
  if (!path_.empty()) std::filesystem::remove(path_, ignored);
}

std::wstring RefusalLog::Switch() const { return L"\"--log=" + path_.wstring() + L"\""; }

std::vector<std::string> RefusalLog::Lines() const {
  std::vector<std::string> lines;
  std::ifstream file(path_);
  for (std::string line; std::getline(file, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(line);
  }
  return lines;
}

}  // namespace tarvik::standins::testing
