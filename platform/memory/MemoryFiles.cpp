#include "platform/memory/MemoryFiles.h"

#include <algorithm>
#include <cctype>
#include <stdexcept>

namespace tarvik::platform::memory {

std::string MemoryFiles::Key(std::string_view path) {
  std::string key(path);
  std::transform(key.begin(), key.end(), key.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return key;
}

std::optional<FileStatus> MemoryFiles::Fault(Operation operation, std::string_view path) const {
  auto found = faults_.find({operation, Key(path)});
  if (found == faults_.end()) return std::nullopt;
  return found->second;
}

bool MemoryFiles::Exists(std::string_view path) const { return files_.count(Key(path)) != 0; }

FileResult<Bytes> MemoryFiles::ReadFirst(std::string_view path, std::size_t count) const {
  if (auto fault = Fault(Operation::ReadFirst, path)) return {*fault, {}};
  auto found = files_.find(Key(path));
  if (found == files_.end()) return {FileStatus::NotFound, {}};
  const Bytes& bytes = found->second;
  return {FileStatus::Ok, Bytes(bytes.begin(), bytes.begin() + std::min(count, bytes.size()))};
}

FileResult<Bytes> MemoryFiles::ReadAll(std::string_view path) const {
  if (auto fault = Fault(Operation::ReadAll, path)) return {*fault, {}};
  auto found = files_.find(Key(path));
  if (found == files_.end()) return {FileStatus::NotFound, {}};
  return {FileStatus::Ok, found->second};
}

FileStatus MemoryFiles::CreateNew(std::string_view path, const Bytes& bytes) {
  if (auto fault = Fault(Operation::CreateNew, path)) return *fault;
  if (Exists(path)) return read_only_.count(Key(path)) ? FileStatus::Denied : FileStatus::Exists;
  files_[Key(path)] = bytes;
  return FileStatus::Ok;
}

FileStatus MemoryFiles::CreateNewInPieces(std::string_view path,
                                          const std::function<void(Bytes&)>& next_piece) {
  Bytes whole;
  Bytes piece;
  for (next_piece(piece); !piece.empty(); next_piece(piece)) {
    whole.insert(whole.end(), piece.begin(), piece.end());
  }
  return CreateNew(path, whole);
}

FileStatus MemoryFiles::Copy(std::string_view from, std::string_view to) {
  if (auto fault = Fault(Operation::Copy, from)) return *fault;
  auto found = files_.find(Key(from));
  if (found == files_.end()) return FileStatus::NotFound;
  if (Exists(to)) return FileStatus::Exists;
  files_[Key(to)] = found->second;
  return FileStatus::Ok;
}

FileStatus MemoryFiles::Delete(std::string_view path) {
  if (auto fault = Fault(Operation::Delete, path)) return *fault;
  if (read_only_.count(Key(path))) return FileStatus::Denied;
  return files_.erase(Key(path)) ? FileStatus::Ok : FileStatus::NotFound;
}

void MemoryFiles::Put(std::string_view path, Bytes bytes) { files_[Key(path)] = std::move(bytes); }

std::optional<Bytes> MemoryFiles::Get(std::string_view path) const {
  auto found = files_.find(Key(path));
  if (found == files_.end()) return std::nullopt;
  return found->second;
}

void MemoryFiles::FailOn(Operation operation, std::string_view path, FileStatus status) {
  faults_[{operation, Key(path)}] = status;
}

void MemoryFiles::MakeReadOnly(std::string_view path) { read_only_.insert(Key(path)); }

std::optional<std::string> ScriptedFileDialogs::Next(bool save, const FileDialogOptions& options) {
  shown_.push_back({save, options});
  if (answers_.empty()) throw std::logic_error("unscripted file dialog");
  auto answer = answers_.front();
  answers_.pop_front();
  return answer;
}

std::optional<std::string> ScriptedFileDialogs::ShowOpen(const FileDialogOptions& options) {
  return Next(false, options);
}

std::optional<std::string> ScriptedFileDialogs::ShowSave(const FileDialogOptions& options) {
  return Next(true, options);
}

}  // namespace tarvik::platform::memory
