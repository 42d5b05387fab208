#include "waypoints/recovery/CopyNames.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <set>

namespace tarvik::waypoints::recovery {

std::string InFolder(std::string_view folder, std::string_view file_name) {
  return std::string(folder) + "\\" + std::string(file_name);
}

CopyFiles FilesOf(std::string_view folder, std::string_view name) {
  const std::string stem = InFolder(folder, name);
  return {stem + std::string(kCopyExtension), stem + std::string(kPathExtension),
          stem + std::string(kOwnerExtension)};
}

std::string_view NameOf(std::string_view file_name) {
  return file_name.substr(0, file_name.find('.'));
}

std::vector<std::string> CopyNames(const std::vector<platform::FolderEntry>& files) {
  std::vector<std::string> names;
  for (const auto& file : files) {
    const std::string_view name = NameOf(file.name);
    // Letter case as Windows ignores it.
    std::string rest(std::string_view(file.name).substr(name.size()));
    std::transform(rest.begin(), rest.end(), rest.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    if (!name.empty() && rest == kCopyExtension) names.emplace_back(name);
  }
  return names;
}

std::string DeclinedName(const platform::LocalTime& now, std::string_view name) {
  char stamp[32];
  std::snprintf(stamp, sizeof stamp, "%04d%02d%02d-%02d%02d%02d-", now.year, now.month, now.day,
                now.hour, now.minute, now.second);
  return stamp + std::string(name);
}

std::vector<std::string> DeclinedBeyondKept(const std::vector<platform::FolderEntry>& files) {
  std::set<std::string_view> names;
  for (const auto& file : files) names.insert(NameOf(file.name));
  std::set<std::string_view> dropped;
  std::size_t beyond = names.size() > kDeclinedKept ? names.size() - kDeclinedKept : 0;
  for (auto name = names.begin(); beyond > 0; ++name, --beyond) dropped.insert(*name);
  std::vector<std::string> out;
  for (const auto& file : files) {
    if (dropped.count(NameOf(file.name))) out.push_back(file.name);
  }
  return out;
}

}  // namespace tarvik::waypoints::recovery
