#include "platform/win32/Win32Files.h"

#include <windows.h>

#include <algorithm>
#include <cstdint>

#include "platform/win32/FilePath.h"
#include "platform/win32/Handles.h"

namespace tarvik::platform::win32 {

namespace {

FileStatus StatusOfLastError() {
  switch (GetLastError()) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_NAME:
    case ERROR_BAD_NETPATH:
      return FileStatus::NotFound;
    case ERROR_FILE_EXISTS:
    case ERROR_ALREADY_EXISTS:
      return FileStatus::Exists;
    case ERROR_ACCESS_DENIED:
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
    case ERROR_WRITE_PROTECT:
      return FileStatus::Denied;
    default:
      return FileStatus::Failed;
  }
}

// CreateFileW reports failure as INVALID_HANDLE_VALUE, not as null.
UniqueFile OpenFile(std::string_view path, DWORD access, DWORD share, DWORD disposition) {
  HANDLE handle = CreateFileW(FilePath(path).c_str(), access, share, nullptr, disposition,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
  return UniqueFile(handle == INVALID_HANDLE_VALUE ? nullptr : handle);
}

enum class Beyond { Truncate, Refuse };

// Up to `limit` bytes; a larger file is cut there or refused, as asked,
// before anything is allocated for it.
FileResult<Bytes> Read(std::string_view path, std::uint64_t limit, Beyond beyond) {
  UniqueFile file = OpenFile(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, OPEN_EXISTING);
  if (!file) return {StatusOfLastError(), {}};
  LARGE_INTEGER size{};
  if (!GetFileSizeEx(file.get(), &size)) return {StatusOfLastError(), {}};
  auto wanted = static_cast<std::uint64_t>(size.QuadPart);
  if (wanted > limit) {
    if (beyond == Beyond::Refuse) return {FileStatus::TooLarge, {}};
    wanted = limit;
  }
  Bytes bytes(static_cast<std::size_t>(wanted));
  std::size_t done = 0;
  while (done < bytes.size()) {
    DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, 1u << 24));
    DWORD read = 0;
    if (!ReadFile(file.get(), bytes.data() + done, chunk, &read, nullptr)) {
      return {StatusOfLastError(), {}};
    }
    if (read == 0) break;  // the file shrank meanwhile
    done += read;
  }
  bytes.resize(done);
  return {FileStatus::Ok, std::move(bytes)};
}

bool WriteAll(HANDLE file, const Bytes& bytes) {
  std::size_t done = 0;
  while (done < bytes.size()) {
    DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, 1u << 24));
    DWORD written = 0;
    if (!WriteFile(file, bytes.data() + done, chunk, &written, nullptr) || written == 0) return false;
    done += written;
  }
  return true;
}

// Creates the file, lets `write` fill it and flushes it; a file that could
// not be written whole is removed again, also when `write` throws.
template <class Write>
FileStatus WriteNewFile(std::string_view path, Write write) {
  UniqueFile file = OpenFile(path, GENERIC_WRITE, 0, CREATE_NEW);
  if (!file) return StatusOfLastError();
  auto remove = [&] {
    file.reset();
    DeleteFileW(FilePath(path).c_str());
  };
  bool written = false;
  try {
    written = write(file.get());
  } catch (...) {
    remove();
    throw;
  }
  if (written && FlushFileBuffers(file.get())) return FileStatus::Ok;
  FileStatus status = StatusOfLastError();
  remove();
  return status == FileStatus::Ok ? FileStatus::Failed : status;
}

}  // namespace

bool Win32Files::Exists(std::string_view path) const {
  DWORD attributes = GetFileAttributesW(FilePath(path).c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

FileResult<Bytes> Win32Files::ReadFirst(std::string_view path, std::size_t count) const {
  return Read(path, count, Beyond::Truncate);
}

FileResult<Bytes> Win32Files::ReadAll(std::string_view path) const {
  return Read(path, kLargestReadable, Beyond::Refuse);
}

FileStatus Win32Files::ReadInPieces(std::string_view path,
                                    const std::function<void(const Bytes&)>& take) const {
  constexpr DWORD kPieceBytes = 64 * 1024;
  UniqueFile file = OpenFile(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, OPEN_EXISTING);
  if (!file) return StatusOfLastError();
  LARGE_INTEGER size{};
  if (!GetFileSizeEx(file.get(), &size)) return StatusOfLastError();
  if (static_cast<std::uint64_t>(size.QuadPart) > kLargestReadable) return FileStatus::TooLarge;
  Bytes piece(kPieceBytes);
  std::uint64_t total = 0;
  for (;;) {
    DWORD read = 0;
    if (!ReadFile(file.get(), piece.data(), kPieceBytes, &read, nullptr)) return StatusOfLastError();
    if (read == 0) return FileStatus::Ok;
    // The file may grow while it is read.
    total += read;
    if (total > kLargestReadable) return FileStatus::TooLarge;
    piece.resize(read);
    take(piece);
    piece.resize(kPieceBytes);
  }
}

FileStatus Win32Files::CreateNew(std::string_view path, const Bytes& bytes) {
  return WriteNewFile(path, [&](HANDLE file) { return WriteAll(file, bytes); });
}

FileStatus Win32Files::CreateNewInPieces(std::string_view path,
                                         const std::function<void(Bytes&)>& next_piece) {
  return WriteNewFile(path, [&](HANDLE file) {
    Bytes piece;
    for (next_piece(piece); !piece.empty(); next_piece(piece)) {
      if (!WriteAll(file, piece)) return false;
    }
    return true;
  });
}

FileStatus Win32Files::Delete(std::string_view path) {
  return DeleteFileW(FilePath(path).c_str()) ? FileStatus::Ok : StatusOfLastError();
}

FileStatus Win32Files::Move(std::string_view from, std::string_view to) {
  std::wstring source = FilePath(from);
  std::wstring target = FilePath(to);
  DWORD moved = GetFileAttributesW(source.c_str());
  if (moved == INVALID_FILE_ATTRIBUTES) return StatusOfLastError();
  if (moved & FILE_ATTRIBUTE_DIRECTORY) return FileStatus::NotFound;
  DWORD replaced = GetFileAttributesW(target.c_str());
  if (replaced == INVALID_FILE_ATTRIBUTES) replaced = 0;
  if (replaced & FILE_ATTRIBUTE_DIRECTORY) return FileStatus::Exists;
  // Windows renames a read-only file without complaint; the user made it
  // read-only so that it stays where and as it is.
  if ((moved | replaced) & FILE_ATTRIBUTE_READONLY) return FileStatus::Denied;
  // Within one folder the replacing rename is a single step on the disk.
  const DWORD how = MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH;
  return MoveFileExW(source.c_str(), target.c_str(), how) ? FileStatus::Ok : StatusOfLastError();
}

}  // namespace tarvik::platform::win32
