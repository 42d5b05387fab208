#include "platform/memory/MemoryRecoveryPlace.h"

namespace tarvik::platform::memory {

class MemoryRecoveryPlace::MemoryHold : public Hold {
 public:
  MemoryHold(MemoryRecoveryPlace& place, std::string key) : place_(place), key_(std::move(key)) {}
  // Like a mark that is removed when its last handle closes.
  ~MemoryHold() override {
    place_.held_.erase(key_);
    place_.files_.Delete(key_);
  }

 private:
  MemoryRecoveryPlace& place_;
  std::string key_;
};

std::vector<FolderEntry> MemoryRecoveryPlace::FilesIn(std::string_view folder) const {
  const std::string prefix = MemoryFiles::Key(folder) + "\\";
  std::vector<FolderEntry> entries;
  for (const auto& path : files_.Paths()) {
    if (!path.starts_with(prefix)) continue;
    std::string name = path.substr(prefix.size());
    if (name.find('\\') != std::string::npos) continue;
    auto written = written_.find(path);
    entries.push_back({std::move(name), written != written_.end() ? written->second : now});
  }
  return entries;
}

std::unique_ptr<RecoveryPlace::Hold> MemoryRecoveryPlace::Claim(std::string_view path) {
  std::string key = MemoryFiles::Key(path);
  if (!held_.insert(key).second) return nullptr;
  if (!files_.Exists(key)) files_.Put(key, {});
  return std::make_unique<MemoryHold>(*this, std::move(key));
}

}  // namespace tarvik::platform::memory
