#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "ControlReader.h"
#include "FileDialog.h"
#include "MessageBoxReader.h"
#include "UnsavedWork.h"
#include "WaypointWindow.h"
#include "WindowSearch.h"
#include "app/win32/WindowClasses.h"

namespace tarvik::e2e {
namespace {

using std::filesystem::path;

constexpr milliseconds kDialogLimit{5000};
// The copy is written within 2 s of a change; a loaded machine gets more.
constexpr milliseconds kCopyLimit{5000};

const TypedWaypoint kCutBank{L"Cut Bank", L"48.633", L"-112.3262"};
const TypedWaypoint kEssex{L"Essex", L"48.2737", L"-113.6101"};

// Runs of the program that end by a kill, as by a power cut or a crash of
// the Wine prefix, and the runs after them.
class UnsavedWork : public WaypointWindowTest {
 protected:
  path WriteMarkerFile(const wchar_t* name, const std::vector<TypedWaypoint>& sorted) {
    path file = folder_.Path() / name;
    EXPECT_TRUE(WriteFileBytes(file, MarkerFileBytes(sorted))) << file.wstring();
    return file;
  }

  void ImportThroughDialog(const path& file) {
    ASSERT_TRUE(PostMenuCommand(main_, MainMenuId("Menu_FileImport")));
    HWND dialog = WaitForFileDialog(process_->Id(), kDialogLimit);
    ASSERT_NE(dialog, nullptr) << "no Import dialog" << MessageBoxesUp();
    ASSERT_TRUE(EnterFileName(dialog, file.wstring()));
    ASSERT_TRUE(WaitUntilGoneOrHidden(dialog, kWindowLimit));
    HWND box = WaitForMessageBox(process_->Id(), kWindowLimit);
    ASSERT_NE(box, nullptr) << "no Import summary";
    ASSERT_TRUE(Click(ButtonOf(box, L"OK")));
    ASSERT_TRUE(WaitUntilGoneOrHidden(box, kWindowLimit));
  }

  // Waits until a copy in the recovery folder holds exactly these rows.
  void ExpectCopyOf(const std::vector<TypedWaypoint>& sorted) {
    const std::string expected = MarkerFileBytes(sorted);
    const auto start = Clock::now();
    bool written = WaitUntil(
        [&] {
          for (const auto& copy : MarkerFilesIn(RecoveryFolder())) {
            if (ReadFileBytes(copy) == expected) return true;
          }
          return false;
        },
        kCopyLimit, milliseconds(20));
    std::wstring found;
    for (const auto& copy : MarkerFilesIn(RecoveryFolder())) {
      found += L"\n" + copy.wstring() + L":\n" + ReadableText(ReadFileBytes(copy).value_or(""));
    }
    ASSERT_TRUE(written) << "no copy of the unsaved list in " << RecoveryFolder().wstring()
                         << ", expected:\n" << ReadableText(expected) << "\nfound:" << found;
    RecordProperty("copy_written_ms", static_cast<int>(Since(start).count()));
  }

  void Kill(const std::wstring& marker) {
    std::wstring report;
    ASSERT_TRUE(KillAsAPowerCutWould(marker, report)) << report;
    ASSERT_TRUE(process_->WaitForExit(kExitLimit).has_value()) << "still running after " << report;
  }

  // The question a new run asks at start; nullptr when it asks none.
  HWND OfferAtStart(std::wstring_view arguments = {}) {
    const path exe = BuiltTarvikExe();
    Start(exe, exe.parent_path(), arguments);
    if (!WaitForTopWindow(process_->Id(), app::win32::kMainClass, kStartLimit)) return nullptr;
    return WaitForMessageBox(process_->Id(), kWindowLimit);
  }

  // Returns once the command that asked has gone on to its end or to its
  // next question.
  void Answer(HWND box, int button) {
    ASSERT_TRUE(PostMessageW(box, WM_COMMAND, button, 0));
    ASSERT_TRUE(WaitUntilGoneOrHidden(box, kWindowLimit));
    HWND main = WaitForTopWindow(process_->Id(), app::win32::kMainClass, kWindowLimit);
    ASSERT_TRUE(main && Ask(main, WM_NULL).has_value()) << "the main window does not answer";
  }
};

TEST_F(UnsavedWork, AddedAndImportedRowsComeBackAfterAKillAsTheirDocumentsUnsavedState) {
  const path route = WriteMarkerFile(L"route.mkr", kThreeSorted);
  const path table = folder_.Path() / L"more.csv";
  ASSERT_TRUE(WriteFileBytes(table, "name,lat,lon\nCut Bank,48.633,-112.3262\n"));
  std::vector<TypedWaypoint> changed{kBelton, kCutBank, kEastPortal, kGlacier, kSummit};
  ASSERT_NO_FATAL_FAILURE(Launch());
  ASSERT_NO_FATAL_FAILURE(OpenThroughDialog(route));
  ASSERT_NO_FATAL_FAILURE(Add(kGlacier));
  ASSERT_NO_FATAL_FAILURE(ImportThroughDialog(table));
  ASSERT_NO_FATAL_FAILURE(ExpectCopyOf(changed));
  ASSERT_NO_FATAL_FAILURE(Kill(L""));

  HWND offer = OfferAtStart();
  ASSERT_NE(offer, nullptr) << "nothing offered after the kill";
  EXPECT_EQ(StoredTextOf(offer), L"Tarvik");
  const std::wstring question = MessageTextOf(offer);
  EXPECT_TRUE(question.starts_with(L"Tarvik ended without saving the changes to route.mkr. A copy "
                                   L"was kept: 5 waypoints, last written "))
      << question;
  EXPECT_EQ(VisibleButtonsOf(offer), (std::vector<std::wstring>{L"&Yes", L"&No"}));
  ASSERT_NO_FATAL_FAILURE(Answer(offer, IDYES));
  main_ = WaitForTopWindow(process_->Id(), app::win32::kMainClass, kWindowLimit);
  EXPECT_EQ(Caption(), L"route.mkr");
  EXPECT_EQ(Rows("List_Entire"), RowsOf(changed));
  // File > Save is on, and writes them to that document.
  ASSERT_NO_FATAL_FAILURE(RunMenuCommand("Menu_FileSave"));
  EXPECT_EQ(ReadFileBytes(route), MarkerFileBytes(changed));
  EXPECT_TRUE(WaitUntil([] { return MarkerFilesIn(RecoveryFolder()).empty(); }, kCopyLimit))
      << "saved, yet a copy is left";

  // Once more, with the file named on the command line: the copy is offered
  // first, and the restored list counts as changed, so opening the file
  // asks to save it there.
  changed = {kBelton, kCutBank, kEastPortal, kEssex, kGlacier, kSummit};
  ASSERT_NO_FATAL_FAILURE(Add(kEssex));
  ASSERT_NO_FATAL_FAILURE(ExpectCopyOf(changed));
  ASSERT_NO_FATAL_FAILURE(Kill(L""));
  offer = OfferAtStart(L"\"" + route.wstring() + L"\"");
  ASSERT_NE(offer, nullptr) << "nothing offered after the second kill";
  EXPECT_TRUE(MessageTextOf(offer).find(L"6 waypoints") != std::wstring::npos)
      << MessageTextOf(offer);
  ASSERT_NO_FATAL_FAILURE(Answer(offer, IDYES));
  main_ = WaitForTopWindow(process_->Id(), app::win32::kMainClass, kWindowLimit);
  HWND update = WaitForMessageBox(process_->Id(), kWindowLimit);
  ASSERT_NE(update, nullptr) << "the restored list did not count as changed";
  EXPECT_EQ(MessageTextOf(update), L"Update route.mkr?");
  EXPECT_EQ(Rows("List_Entire"), RowsOf(changed));
  ASSERT_NO_FATAL_FAILURE(Answer(update, IDYES));
  ASSERT_NO_FATAL_FAILURE(WaitUntilDocumentIs(route));
  EXPECT_EQ(ReadFileBytes(route), MarkerFileBytes(changed));
  ASSERT_NO_FATAL_FAILURE(CloseExpectingNoQuestion());
  EXPECT_TRUE(MarkerFilesIn(RecoveryFolder()).empty());
}

TEST_F(UnsavedWork, OnlyAnEndedRunsCopyIsOfferedAndNoPutsItInDeclined) {
  // A living run with unsaved changes of its own.
  ASSERT_NO_FATAL_FAILURE(Launch());
  ASSERT_NO_FATAL_FAILURE(Add(kBelton));
  ASSERT_NO_FATAL_FAILURE(ExpectCopyOf({kBelton}));
  std::optional<TarvikProcess> living = std::move(process_);
  const HWND living_window = main_;

  // A second run, named by its file, changes its list and is killed.
  const path ended_file = WriteMarkerFile(L"ended run.mkr", {kSummit});
  ASSERT_NO_FATAL_FAILURE(Launch(BuiltTarvikExe(), BuiltTarvikExe().parent_path(),
                                 L"\"" + ended_file.wstring() + L"\""));
  ASSERT_NO_FATAL_FAILURE(WaitUntilDocumentIs(ended_file));
  ASSERT_NO_FATAL_FAILURE(Add(kGlacier));
  ASSERT_NO_FATAL_FAILURE(ExpectCopyOf({kGlacier, kSummit}));
  ASSERT_NO_FATAL_FAILURE(Kill(L"ended run.mkr"));
  ASSERT_TRUE(living->Running()) << "the kill took the wrong run";

  // A third run is offered the ended run's copy only; No moves it aside.
  HWND offer = OfferAtStart();
  ASSERT_NE(offer, nullptr) << "the ended run's copy was not offered";
  EXPECT_TRUE(MessageTextOf(offer).starts_with(
      L"Tarvik ended without saving the changes to ended run.mkr. A copy was kept: 2 waypoints"))
      << MessageTextOf(offer);
  ASSERT_NO_FATAL_FAILURE(Answer(offer, IDNO));
  EXPECT_EQ(WaitForMessageBox(process_->Id(), milliseconds(500)), nullptr)
      << "the living run's copy was offered too";
  main_ = WaitForTopWindow(process_->Id(), app::win32::kMainClass, kWindowLimit);
  EXPECT_EQ(Caption(), L"untitled");
  const auto declined = MarkerFilesIn(RecoveryFolder() / L"Declined");
  ASSERT_EQ(declined.size(), 1u);
  EXPECT_EQ(ReadFileBytes(declined[0]), MarkerFileBytes({kGlacier, kSummit}));
  ASSERT_EQ(MarkerFilesIn(RecoveryFolder()).size(), 1u);
  EXPECT_EQ(ReadFileBytes(MarkerFilesIn(RecoveryFolder())[0]), MarkerFileBytes({kBelton}))
      << "the living run's copy stays where it is";
  ASSERT_NO_FATAL_FAILURE(CloseExpectingNoQuestion());

  // The living run ends normally: its copy goes with it.
  process_ = std::move(living);
  main_ = living_window;
  ASSERT_TRUE(PostMessageW(main_, WM_CLOSE, 0, 0));
  HWND update = WaitForMessageBox(process_->Id(), kWindowLimit);
  ASSERT_NE(update, nullptr);
  EXPECT_EQ(MessageTextOf(update), L"Update untitled?");
  ASSERT_TRUE(PostMessageW(update, WM_COMMAND, IDNO, 0));
  ASSERT_TRUE(process_->WaitForExit(kExitLimit).has_value());
  EXPECT_TRUE(MarkerFilesIn(RecoveryFolder()).empty());
}

}  // namespace
}  // namespace tarvik::e2e
