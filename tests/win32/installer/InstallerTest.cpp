#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "Installation.h"
#include "MarkerFiles.h"
#include "SettingsRegistry.h"
#include "WaypointWindow.h"
#include "WindowSearch.h"
#include "app/win32/WindowClasses.h"

namespace tarvik::e2e {
namespace {

using std::filesystem::exists;
using std::filesystem::path;

constexpr milliseconds kMsiexecLimit{60000};
const std::wstring kClasses = L"Software\\Classes\\";
const std::wstring kProgId = L"Tarvik.MarkerFile";
// The simulator's own tools, say, registered for .mkr before Tarvik came.
const std::wstring kOtherOwner = L"RouteTools.Marker";

std::wstring Quoted(const std::wstring& text) { return L"\"" + text + L"\""; }

std::wstring Environment(const wchar_t* name) {
  const wchar_t* value = _wgetenv(name);
  return value ? value : L"";
}

// The packages and a folder outside the prefix come from the test's script
// (run-installer-test.sh).
class Installer : public WaypointWindowTest {
 protected:
  void SetUp() override {
    ASSERT_NO_FATAL_FAILURE(WaypointWindowTest::SetUp());
    com_ = SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));
    ASSERT_TRUE(com_);
    installer_ = Environment(L"TARVIK_INSTALLER");
    newer_installer_ = Environment(L"TARVIK_NEWER_INSTALLER");
    newer_version_ = Environment(L"TARVIK_NEWER_VERSION");
    unix_folder_ = Environment(L"TARVIK_UNIX_FOLDER");
    ASSERT_FALSE(installer_.empty() || newer_installer_.empty() || newer_version_.empty() ||
                 unix_folder_.empty())
        << "run this test through run-installer-test.sh";
  }

  // The other program's claim on .mkr goes, so that it cannot keep Tarvik
  // from becoming the default in the next test.
  void TearDown() override {
    WaypointWindowTest::TearDown();
    RegDeleteTreeW(HKEY_LOCAL_MACHINE, (kClasses + L".mkr").c_str());
    if (com_) CoUninitialize();
  }

  void Msiexec(const std::wstring& arguments) {
    std::optional<DWORD> code = RunToEnd(L"msiexec.exe " + arguments + L" /qn", kMsiexecLimit);
    ASSERT_TRUE(code.has_value()) << "msiexec " << arguments << " did not end in time";
    ASSERT_EQ(*code, 0u) << "msiexec " << arguments;
  }

  // Waits for the one copy of the program that the shell started.
  void TakeOverStartedCopy() {
    std::vector<DWORD> ids;
    ASSERT_TRUE(WaitUntil([&] { return !(ids = TarvikProcessIds()).empty(); }, kStartLimit))
        << "no tarvik.exe started";
    ASSERT_EQ(ids.size(), 1u);
    process_ = TarvikProcess::Attach(ids.front());
    ASSERT_TRUE(process_.has_value()) << "cannot open tarvik.exe, error " << GetLastError();
    main_ = WaitForTopWindow(ids.front(), app::win32::kMainClass, kStartLimit);
    ASSERT_NE(main_, nullptr) << "no main window within " << kStartLimit.count() << " ms";
  }

  bool com_ = false;
  std::wstring installer_;
  std::wstring newer_installer_;
  std::wstring newer_version_;
  std::wstring unix_folder_;
};

TEST_F(Installer, ForThisUserInstallsAndRegistersThenUninstallsKeepingTheUsersOwnFiles) {
  ASSERT_TRUE(WriteRegistryText(HKEY_LOCAL_MACHINE, kClasses + L".mkr", L"", kOtherOwner));
  ASSERT_NO_FATAL_FAILURE(Msiexec(L"/i " + Quoted(installer_)));

  const path folder = KnownFolder(FOLDERID_LocalAppData) / L"Programs" / L"Tarvik";
  const path exe = folder / L"tarvik.exe";
  const path shortcut = KnownFolder(FOLDERID_Programs) / L"Tarvik.lnk";
  const path installed[] = {exe, folder / L"Manual" / L"manual.html", folder / L"Sample Route.mkr",
                            shortcut};
  for (const path& file : installed) EXPECT_TRUE(exists(file)) << file;
  const std::optional<ShortcutTarget> target = ReadShortcut(shortcut);
  ASSERT_TRUE(target.has_value()) << "the Start-menu shortcut does not read";
  EXPECT_EQ(target->program, exe);
  // Either may end in a separator.
  EXPECT_EQ(target->working_folder / L"", folder / L"");

  const std::wstring type = kClasses + kProgId;
  EXPECT_EQ(RegistryText(HKEY_CURRENT_USER, type + L"\\shell\\open\\command"),
            Quoted(exe.wstring()) + L" " + Quoted(L"%1"));
  const std::optional<std::wstring> icon = RegistryText(HKEY_CURRENT_USER, type + L"\\DefaultIcon");
  EXPECT_TRUE(icon && IconLoads(*icon)) << "no icon at " << icon.value_or(L"(none)");
  EXPECT_TRUE(
      RegistryText(HKEY_CURRENT_USER, kClasses + L".mkr\\OpenWithProgids", kProgId).has_value())
      << "Tarvik is not in the \"Open with\" list";
  EXPECT_EQ(RegistryText(HKEY_CURRENT_USER, kClasses + L".mkr"), std::nullopt)
      << "Tarvik took .mkr over from the program that owned it";

  // What the user made meanwhile: settings, a recovery copy, a Marker file
  // saved beside the program.
  ASSERT_TRUE(WriteRegistryText(HKEY_CURRENT_USER, L"Software\\Tarvik\\Settings", L"IsWide",
                                L"False"));
  const path recovery = KnownFolder(FOLDERID_LocalAppData) / L"Tarvik" / L"Recovery" / L"1.mkr";
  const path saved = folder / L"My Route.mkr";
  std::filesystem::create_directories(recovery.parent_path());
  ASSERT_TRUE(WriteFileBytes(recovery, MarkerFileBytes(kThreeSorted)));
  ASSERT_TRUE(WriteFileBytes(saved, MarkerFileBytes(kThreeSorted)));

  // As Windows' list of programs uninstalls, silently.
  const std::vector<ListedProgram> listed = ProgramsListedAs(L"Tarvik");
  ASSERT_EQ(listed.size(), 1u);
  const std::optional<DWORD> code = RunToEnd(listed[0].uninstall_command + L" /qn", kMsiexecLimit);
  ASSERT_EQ(code, 0u) << listed[0].uninstall_command;

  for (const path& file : installed) EXPECT_FALSE(exists(file)) << file;
  EXPECT_FALSE(RegistryKeyExists(HKEY_CURRENT_USER, type));
  EXPECT_EQ(RegistryText(HKEY_CURRENT_USER, kClasses + L".mkr\\OpenWithProgids", kProgId),
            std::nullopt);
  EXPECT_TRUE(ProgramsListedAs(L"Tarvik").empty());
  EXPECT_EQ(RegistryText(HKEY_LOCAL_MACHINE, kClasses + L".mkr"), kOtherOwner);
  EXPECT_EQ(ReadTarvikSetting(L"IsWide"), L"False");
  EXPECT_TRUE(exists(recovery));
  EXPECT_TRUE(exists(saved));
}

TEST_F(Installer, ForAllUsersANewerVersionReplacesTheOlderAndWineStartOpensMarkerFiles) {
  ASSERT_NO_FATAL_FAILURE(Msiexec(L"/i " + Quoted(installer_) + L" ALLUSERS=1"));
  ASSERT_NO_FATAL_FAILURE(Msiexec(L"/i " + Quoted(newer_installer_) + L" ALLUSERS=1"));
  const std::vector<ListedProgram> listed = ProgramsListedAs(L"Tarvik");
  ASSERT_EQ(listed.size(), 1u) << "the newer version did not replace the older";
  EXPECT_EQ(listed[0].version, newer_version_);

  // As a Linux user opens a file: wine start /unix "~/Routes/My Route.mkr".
  const std::wstring unix_route = unix_folder_ + L"/My Route.mkr";
  std::wstring route = L"Z:" + unix_route;
  std::replace(route.begin(), route.end(), L'/', L'\\');
  ASSERT_TRUE(WriteFileBytes(route, MarkerFileBytes(kThreeSorted)));
  ASSERT_EQ(RunToEnd(L"start.exe /unix " + Quoted(unix_route), kStartLimit), 0u);

  ASSERT_NO_FATAL_FAILURE(TakeOverStartedCopy());
  const path exe = KnownFolder(FOLDERID_ProgramFiles) / L"Tarvik" / L"tarvik.exe";
  EXPECT_EQ(process_->ExePath(), exe);
  EXPECT_TRUE(WaitUntil([&] { return Caption() == L"My Route.mkr"; }, kWindowLimit))
      << "caption " << Caption() << MessageBoxesUp();
  ASSERT_NO_FATAL_FAILURE(ExpectNoMessageBox());
  EXPECT_EQ(Rows("List_Entire"), RowsOf(kThreeSorted));
  ASSERT_NO_FATAL_FAILURE(ExitByFileMenu());

  // Wine finds a package installed for all users only when told so again.
  ASSERT_NO_FATAL_FAILURE(Msiexec(L"/x " + Quoted(newer_installer_) + L" ALLUSERS=1"));
  EXPECT_FALSE(exists(exe.parent_path()));
  EXPECT_FALSE(RegistryKeyExists(HKEY_LOCAL_MACHINE, kClasses + kProgId));
  EXPECT_FALSE(RegistryKeyExists(HKEY_LOCAL_MACHINE, kClasses + L".mkr"));
}

}  // namespace
}  // namespace tarvik::e2e
