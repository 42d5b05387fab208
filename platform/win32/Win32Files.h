#pragma once

#include "platform/Files.h"

namespace tarvik::platform::win32 {

class Win32Files : public Files {
 public:
  bool Exists(std::string_view path) const override;
  FileResult<Bytes> ReadFirst(std::string_view path, std::size_t count) const override;
  FileResult<Bytes> ReadAll(std::string_view path) const override;
  FileStatus ReadInPieces(std::string_view path,
                          const std::function<void(const Bytes&)>& take) const override;
  // A write that fails part-way removes what it wrote.
  FileStatus CreateNew(std::string_view path, const Bytes& bytes) override;
  FileStatus CreateNewInPieces(std::string_view path,
                               const std::function<void(Bytes&)>& next_piece) override;
  FileStatus Delete(std::string_view path) override;
  FileStatus Move(std::string_view from, std::string_view to) override;
};

}  // namespace tarvik::platform::win32
