#include "XdndDrop.h"

#include <optional>

#include "MarkerFiles.h"
#include "TarvikProcess.h"
#include "TempFolder.h"
#include "UnixPath.h"
#include "Waiting.h"
#include "platform/win32/Utf.h"

namespace tarvik::e2e {

namespace {

constexpr milliseconds kDropLimit{20000};

std::wstring Quoted(const std::string& utf8) {
  return L"\"" + platform::win32::Widen(utf8) + L"\"";
}

}  // namespace

DropReport DropFilesAt(POINT screen_point, const std::vector<std::filesystem::path>& files) {
  DropReport report;
  TempFolder scratch;
  const std::filesystem::path log = scratch.Path() / L"xdnd.log";
  auto unix_log = UnixPathOf(log);
  if (!unix_log) {
    report.log = L"not running under Wine: no Unix paths";
    return report;
  }
  std::wstring command = L"Z:\\usr\\bin\\python3 " + Quoted(TARVIK_E2E_XDND_DROP) + L" " +
                         std::to_wstring(screen_point.x) + L" " + std::to_wstring(screen_point.y) +
                         L" " + Quoted(*unix_log);
  for (const auto& file : files) {
    auto unix_file = UnixPathOf(file);
    if (!unix_file) {
      report.log = L"no Unix path for " + file.wstring();
      return report;
    }
    command += L" " + Quoted(*unix_file);
  }

  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION info{};
  if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                      &startup, &info)) {
    report.log = L"cannot start " + command + L", error " + std::to_wstring(GetLastError());
    return report;
  }
  platform::win32::UniqueFile process(info.hProcess);
  platform::win32::UniqueFile thread(info.hThread);
  // A Unix program's process handle under Wine neither waits for it nor
  // gives its exit status: the log's last line says how the drop went, and
  // the folder holding it stays until that line is written.
  std::optional<std::string> bytes;
  bool ended = WaitUntil(
      [&] { return (bytes = ReadFileBytes(log)) && bytes->find("end: ") != std::string::npos; },
      kDropLimit, milliseconds(20));
  report.log = bytes ? platform::win32::Widen(*bytes) : L"the dropper wrote no log";
  if (!ended) report.log += L"\n(no end within " + std::to_wstring(kDropLimit.count()) + L" ms)";
  report.finished = ended && bytes->find("end: finished") != std::string::npos;
  return report;
}

}  // namespace tarvik::e2e
