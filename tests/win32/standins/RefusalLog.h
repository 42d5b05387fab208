#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace tarvik::standins::testing {

// A fresh file for a stand-in's refusals, removed when the owner goes.
class RefusalLog {
 public:
  RefusalLog();
  ~RefusalLog();
  RefusalLog(const RefusalLog&) = delete;
  RefusalLog& operator=(const RefusalLog&) = delete;

  // The switch that sends a stand-in's refusals here.
  std::wstring Switch() const;
  // The lines written so far.
  std::vector<std::string> Lines() const;

 private:
  std::filesystem::path path_;
};

}  // namespace tarvik::standins::testing
