#include "waypoints/recovery/LeftCopies.h"

#include <algorithm>
#include <tuple>

#include "waypoints/MarkerFile.h"
#include "waypoints/recovery/CopyNames.h"
#include "waypoints/recovery/CopyTexts.h"

namespace tarvik::waypoints::recovery {

namespace {

bool Later(const platform::LocalTime& a, const platform::LocalTime& b) {
  return std::tie(a.year, a.month, a.day, a.hour, a.minute, a.second) >
         std::tie(b.year, b.month, b.day, b.hour, b.minute, b.second);
}

}  // namespace

LeftCopies RecoveryFolder::TakeLeftCopies() {
  LeftCopies found;
  const auto folder = place_.Folder();
  if (!folder) return found;
  const auto entries = place_.FilesIn(*folder);
  for (const std::string& name : CopyNames(entries)) {
    auto hold = place_.Claim(FilesOf(*folder, name).owner);
    if (!hold) continue;  // its run is alive
    platform::LocalTime written;
    for (const auto& entry : entries) {
      if (NameOf(entry.name) == name && entry.name.size() == name.size() + kCopyExtension.size()) {
        written = entry.written;
      }
    }
    auto copy = Read(*folder, name, written);
    if (!copy) {
      MoveToDeclined(*folder, name);
      found.unreadable.push_back(FilesOf(*folder, name).copy);
      continue;
    }
    copy->hold = std::move(hold);
    found.copies.push_back(std::move(*copy));
  }
  std::stable_sort(
      found.copies.begin(), found.copies.end(),
      [](const LeftCopy& a, const LeftCopy& b) { return Later(a.written, b.written); });
  return found;
}

std::optional<LeftCopy> RecoveryFolder::Read(const std::string& folder, const std::string& name,
                                             const platform::LocalTime& written) {
  const CopyFiles files = FilesOf(folder, name);
  MarkerRowReader reader;
  if (files_.ReadInPieces(files.copy, [&](const platform::Bytes& piece) { reader.Take(piece); }) !=
      platform::FileStatus::Ok) {
    return std::nullopt;
  }
  auto rows = reader.Finish();
  if (!rows) return std::nullopt;
  // Without the file beside it the rows are still worth having, as an
  // untitled list.
  std::string document_path;
  if (files_.Exists(files.path_file)) {
    auto bytes = files_.ReadFirst(files.path_file, kLongestPathBytes + 8);
    auto path = bytes.ok() ? DecodePathFile(bytes.value) : std::nullopt;
    if (!path) return std::nullopt;
    document_path = std::move(*path);
  }
  return LeftCopy{name, files.copy, std::move(document_path), std::move(*rows), written, nullptr};
}

bool RecoveryFolder::Decline(const LeftCopy& copy) {
  const auto folder = place_.Folder();
  return folder && MoveToDeclined(*folder, copy.name);
}

bool RecoveryFolder::MoveToDeclined(const std::string& folder, const std::string& name) {
  const std::string declined = InFolder(folder, kDeclinedFolder);
  if (!place_.MakeFolder(declined)) return false;
  const CopyFiles from = FilesOf(folder, name);
  const CopyFiles to = FilesOf(declined, DeclinedName(place_.Now(), name));
  // The path first: a copy in Declined always has its path beside it.
  if (files_.Exists(from.path_file) &&
      files_.Move(from.path_file, to.path_file) != platform::FileStatus::Ok) {
    return false;
  }
  if (files_.Move(from.copy, to.copy) != platform::FileStatus::Ok) return false;
  // What a write cut short left behind is no copy.
  for (const auto& entry : place_.FilesIn(folder)) {
    if (NameOf(entry.name) == name && entry.name.ends_with(".saving")) {
      files_.Delete(InFolder(folder, entry.name));
    }
  }
  DropDeclinedBeyondKept(declined);
  return true;
}

void RecoveryFolder::DropDeclinedBeyondKept(const std::string& declined) {
  for (const auto& file : DeclinedBeyondKept(place_.FilesIn(declined))) {
    files_.Delete(InFolder(declined, file));
  }
}

}  // namespace tarvik::waypoints::recovery
