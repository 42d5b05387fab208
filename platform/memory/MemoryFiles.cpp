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

std::optional<FileStatus> MemoryFiles::Begin(Operation operation, std::string_view path) const {
  if (countdown_ > 0 && --countdown_ == 0) {
    nth_failed_ = true;
    return nth_status_;
  }
  auto found = faults_.find({operation, Key(path)});
  if (found == faults_.end()) return std::nullopt;
  if (found->second.exception) std::rethrow_exception(found->second.exception);
  return found->second.status;
}

FileStatus MemoryFiles::Changed() {
  if (watch_) watch_();
  return FileStatus::Ok;
}

bool MemoryFiles::Exists(std::string_view path) const { return files_.count(Key(path)) != 0; }

FileResult<Bytes> MemoryFiles::ReadFirst(std::string_view path, std::size_t count) const {
  if (auto fault = Begin(Operation::ReadFirst, path)) return {*fault, {}};
  auto found = files_.find(Key(path));
  if (found == files_.end()) return {FileStatus::NotFound, {}};
  const Bytes& bytes = found->second;
  return {FileStatus::Ok, Bytes(bytes.begin(), bytes.begin() + std::min(count, bytes.size()))};
}

FileResult<Bytes> MemoryFiles::ReadAll(std::string_view path) const {
  if (auto fault = Begin(Operation::ReadAll, path)) return {*fault, {}};
  auto found = files_.find(Key(path));
  if (found == files_.end()) return {FileStatus::NotFound, {}};
  auto claimed = claimed_sizes_.find(Key(path));
  std::uint64_t size = claimed != claimed_sizes_.end() ? claimed->second : found->second.size();
  if (size > kLargestReadable) return {FileStatus::TooLarge, {}};
  return {FileStatus::Ok, found->second};
}

FileStatus MemoryFiles::ReadInPieces(std::string_view path,
                                     const std::function<void(const Bytes&)>& take) const {
  auto whole = ReadAll(path);
  if (!whole.ok()) return whole.status;
  // Odd, so that pieces end inside characters and between CR and LF.
  constexpr std::size_t kPieceBytes = 7;
  const Bytes& bytes = whole.value;
  for (std::size_t at = 0; at < bytes.size(); at += kPieceBytes) {
    const std::size_t end = std::min(at + kPieceBytes, bytes.size());
    take(Bytes(bytes.begin() + static_cast<std::ptrdiff_t>(at),
               bytes.begin() + static_cast<std::ptrdiff_t>(end)));
  }
  return FileStatus::Ok;
}

FileStatus MemoryFiles::CreateNew(std::string_view path, const Bytes& bytes) {
  if (auto fault = Begin(Operation::CreateNew, path)) return *fault;
  if (Exists(path)) return ReadOnly(path) ? FileStatus::Denied : FileStatus::Exists;
  files_[Key(path)] = bytes;
  return Changed();
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

FileStatus MemoryFiles::Delete(std::string_view path) {
  if (auto fault = Begin(Operation::Delete, path)) return *fault;
  if (ReadOnly(path)) return FileStatus::Denied;
  if (!files_.erase(Key(path))) return FileStatus::NotFound;
  claimed_sizes_.erase(Key(path));
  return Changed();
}

FileStatus MemoryFiles::Move(std::string_view from, std::string_view to) {
  if (auto fault = Begin(Operation::Move, from)) return *fault;
  auto found = files_.find(Key(from));
  if (found == files_.end()) return FileStatus::NotFound;
  if (ReadOnly(from) || ReadOnly(to)) return FileStatus::Denied;
  if (Key(from) == Key(to)) return FileStatus::Ok;
  Bytes bytes = std::move(found->second);
  files_.erase(found);
  files_[Key(to)] = std::move(bytes);
  claimed_sizes_.erase(Key(to));
  if (auto claimed = claimed_sizes_.extract(Key(from))) claimed_sizes_[Key(to)] = claimed.mapped();
  return Changed();
}

void MemoryFiles::Put(std::string_view path, Bytes bytes) { files_[Key(path)] = std::move(bytes); }

std::optional<Bytes> MemoryFiles::Get(std::string_view path) const {
  auto found = files_.find(Key(path));
  if (found == files_.end()) return std::nullopt;
  return found->second;
}

std::vector<std::string> MemoryFiles::Paths() const {
  std::vector<std::string> paths;
  for (const auto& [path, bytes] : files_) paths.push_back(path);
  return paths;
}

void MemoryFiles::FailOn(Operation operation, std::string_view path, FileStatus status) {
  if (status == FileStatus::Ok) faults_.erase({operation, Key(path)});
  else faults_[{operation, Key(path)}] = Fault{status, nullptr};
}

void MemoryFiles::ThrowOn(Operation operation, std::string_view path, std::exception_ptr exception) {
  faults_[{operation, Key(path)}] = Fault{FileStatus::Failed, std::move(exception)};
}

void MemoryFiles::FailNth(int n, FileStatus status) {
  countdown_ = n;
  nth_status_ = status;
  nth_failed_ = false;
}

void MemoryFiles::MakeReadOnly(std::string_view path) { read_only_.insert(Key(path)); }

void MemoryFiles::ClaimSize(std::string_view path, std::uint64_t size) {
  claimed_sizes_[Key(path)] = size;
}

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
