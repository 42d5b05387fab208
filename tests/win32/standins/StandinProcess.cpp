#include "StandinProcess.h"

#include <filesystem>
#include <utility>

namespace tarvik::standins::testing {

namespace {

std::filesystem::path ThisProgramFolder() {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (length == 0) return {};
    // A full buffer means the path was cut short.
    if (length < path.size()) {
      path.resize(length);
      return std::filesystem::path(path).parent_path();
    }
    path.resize(path.size() * 2);
  }
}

struct TopWindowSearch {
  DWORD process_id;
  std::vector<HWND> windows;
};

BOOL CALLBACK CollectTopWindow(HWND window, LPARAM context) {
  auto* search = reinterpret_cast<TopWindowSearch*>(context);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  if (owner == search->process_id) search->windows.push_back(window);
  return TRUE;
}

}  // namespace

std::optional<StandinProcess> StandinProcess::Start(std::wstring_view exe_name,
                                                    std::wstring_view arguments) {
  const std::filesystem::path folder = ThisProgramFolder();
  const std::filesystem::path exe = folder / exe_name;
  // CreateProcessW may write into the command line, so it gets its own copy.
  std::wstring command_line = L"\"" + exe.wstring() + L"\" " + std::wstring(arguments);
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION info{};
  if (!CreateProcessW(exe.c_str(), command_line.data(), nullptr, nullptr, FALSE, 0, nullptr,
                      folder.c_str(), &startup, &info)) {
    return std::nullopt;
  }
  platform::win32::UniqueFile thread(info.hThread);
  return StandinProcess(platform::win32::UniqueFile(info.hProcess), info.dwProcessId);
}

StandinProcess& StandinProcess::operator=(StandinProcess&& other) noexcept {
  if (this != &other) {
    End();
    process_ = std::move(other.process_);
    id_ = std::exchange(other.id_, 0);
  }
  return *this;
}

StandinProcess::~StandinProcess() { End(); }

void StandinProcess::End() noexcept {
  if (process_ && WaitForSingleObject(process_.get(), 0) == WAIT_TIMEOUT) {
    TerminateProcess(process_.get(), 1);
    WaitForSingleObject(process_.get(), 5000);
  }
}

std::vector<HWND> StandinProcess::TopWindows() const {
  TopWindowSearch search{id_, {}};
  EnumWindows(&CollectTopWindow, reinterpret_cast<LPARAM>(&search));
  return search.windows;
}

HWND StandinProcess::WaitForWindow(std::wstring_view class_name, milliseconds limit) const {
  HWND found = nullptr;
  WaitUntil(
      [&] {
        for (HWND window : TopWindows()) {
          if (IsWindowVisible(window) && ClassOf(window) == class_name) found = window;
        }
        return found != nullptr;
      },
      limit);
  return found;
}

std::wstring ClassOf(HWND window) {
  wchar_t name[256] = {};
  const int length = GetClassNameW(window, name, 256);
  return std::wstring(name, static_cast<size_t>(length > 0 ? length : 0));
}

std::wstring TitleOf(HWND window) {
  wchar_t text[256] = {};
  const int length = GetWindowTextW(window, text, 256);
  return std::wstring(text, static_cast<size_t>(length > 0 ? length : 0));
}

}  // namespace tarvik::standins::testing
