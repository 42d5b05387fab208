#include "standins/common/Refusals.h"

#include <windows.h>

#include <string>

#include "platform/win32/Handles.h"

namespace tarvik::standins {

namespace {

std::string Utf8(const std::wstring& text) {
  const int size = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                       nullptr, 0, nullptr, nullptr);
  std::string bytes(static_cast<size_t>(size > 0 ? size : 0), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), bytes.data(), size,
                      nullptr, nullptr);
  return bytes;
}

}  // namespace

void Refusals::Refuse(const std::wstring& what) {
  shown_ = L"Refused: " + what;
  MessageBeep(MB_ICONWARNING);
  Log(shown_);
}

void Refusals::Log(const std::wstring& line) const {
  if (log_path_.empty()) {
    OutputDebugStringW((line + L"\n").c_str());
    return;
  }
  // Opened for each line, so that a reader sees every line at once and the
  // file is never held while the program hangs.
  HANDLE opened = CreateFileW(log_path_.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (opened == INVALID_HANDLE_VALUE) return;
  const platform::win32::UniqueFile file(opened);
  const std::string bytes = Utf8(line + L"\r\n");
  DWORD written = 0;
  WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
}

}  // namespace tarvik::standins
