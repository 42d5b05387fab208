#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "platform/RecoveryPlace.h"

namespace tarvik::waypoints::recovery {

// A run's copy is three files named after the run: the list as a Marker
// file, so that any tool opens it; the document's path beside it; and the
// mark the run holds for as long as it lives.
inline constexpr std::string_view kCopyExtension = ".mkr";
inline constexpr std::string_view kPathExtension = ".path.txt";
inline constexpr std::string_view kOwnerExtension = ".owner";
// Where declined and unreadable copies go, beside the copies.
inline constexpr std::string_view kDeclinedFolder = "Declined";
inline constexpr std::size_t kDeclinedKept = 10;

struct CopyFiles {
  std::string copy;
  std::string path_file;
  std::string owner;
};

std::string InFolder(std::string_view folder, std::string_view file_name);
CopyFiles FilesOf(std::string_view folder, std::string_view name);

// The part of a file name before its first ".": the copy it belongs to.
std::string_view NameOf(std::string_view file_name);
// The copies among a folder's file names: a name with a Marker file.
std::vector<std::string> CopyNames(const std::vector<platform::FolderEntry>& files);

// What a copy declined at `now` is called in Declined: the moment first,
// so that the names sort in the order of declining.
std::string DeclinedName(const platform::LocalTime& now, std::string_view name);
// Of the files in Declined, those of all but the kDeclinedKept copies
// declined last.
std::vector<std::string> DeclinedBeyondKept(const std::vector<platform::FolderEntry>& files);

}  // namespace tarvik::waypoints::recovery
