#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "ControlReader.h"
#include "MarkerFiles.h"
#include "MessageBoxReader.h"
#include "WaypointWindow.h"
#include "WindowSearch.h"
#include "platform/win32/Handles.h"

namespace tarvik::e2e {
namespace {

using std::filesystem::path;

// Where the desktop's program for web pages, as this test sets it up,
// leaves a copy of the page it was asked to open.
const path kOpenedPage = L"C:\\opened-manual.html";

// This prefix was made for the test alone: its program for web pages
// copies the page it opens to a known place, which shows which file
// Help > Manual found.
bool RegisterPageCopier() {
  const std::wstring command =
      L"\"C:\\windows\\system32\\cmd.exe\" /c copy /y \"%1\" \"" + kOpenedPage.wstring() + L"\"";
  const std::pair<const wchar_t*, std::wstring> keys[] = {
      {L"Software\\Classes\\.html", L"TarvikTest.Page"},
      {L"Software\\Classes\\TarvikTest.Page\\shell\\open\\command", command}};
  for (const auto& [key, value] : keys) {
    HKEY raw = nullptr;
    if (RegCreateKeyExW(HKEY_LOCAL_MACHINE, key, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &raw,
                        nullptr) != ERROR_SUCCESS) {
      return false;
    }
    platform::win32::UniqueHkey opened(raw);
    const auto bytes = static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t));
    if (RegSetValueExW(raw, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                       bytes) != ERROR_SUCCESS) {
      return false;
    }
  }
  return true;
}

class PackagedProgram : public WaypointWindowTest {};

TEST_F(PackagedProgram, StartsFromItsUnpackedFolderOpensItsSampleAndFindsItsManual) {
  const char* folder_text = std::getenv("TARVIK_PACKAGED_FOLDER");
  ASSERT_NE(folder_text, nullptr) << "TARVIK_PACKAGED_FOLDER names no unpacked package";
  const path folder = folder_text;
  for (const wchar_t* file : {L"tarvik.exe", L"README.txt", L"Sample Route.mkr",
                              L"Manual\\manual.html"}) {
    EXPECT_TRUE(std::filesystem::exists(folder / file)) << "the package has no " << file;
  }
  ASSERT_TRUE(RegisterPageCopier());
  std::filesystem::remove(kOpenedPage);

  // As a shortcut whose "Start in" is the program's folder starts it.
  ASSERT_NO_FATAL_FAILURE(Launch(folder / L"tarvik.exe", folder, L"\"Sample Route.mkr\""));
  EXPECT_TRUE(WaitUntil([&] { return Caption() == L"Sample Route.mkr"; }, kWindowLimit))
      << "caption " << Caption() << MessageBoxesUp();
  ASSERT_NO_FATAL_FAILURE(ExpectNoMessageBox());
  auto rows = Rows("List_Entire");
  ASSERT_TRUE(rows.has_value());
  EXPECT_EQ(rows->size(), 12u);

  const auto manual = ReadFileBytes(folder / L"Manual" / L"manual.html");
  ASSERT_TRUE(manual.has_value());
  ASSERT_TRUE(PostMenuCommand(main_, MainMenuId("Menu_Manual")));
  EXPECT_TRUE(WaitUntil([&] { return ReadFileBytes(kOpenedPage) == manual; }, kStartLimit))
      << (std::filesystem::exists(kOpenedPage) ? "Help > Manual opened another page"
                                               : "no page was opened")
      << MessageBoxesUp();
  ASSERT_NO_FATAL_FAILURE(ExpectNoMessageBox());

  ASSERT_NO_FATAL_FAILURE(ExitByFileMenu());
}

}  // namespace
}  // namespace tarvik::e2e
