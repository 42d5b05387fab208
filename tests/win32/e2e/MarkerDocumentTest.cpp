#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "ControlReader.h"
#include "FileDialog.h"
#include "MessageBoxReader.h"
#include "TarvikProcess.h"
#include "SettingsRegistry.h"
#include "WaypointWindow.h"
#include "WindowSearch.h"

namespace tarvik::e2e {
namespace {

using std::filesystem::path;

// Wine builds its first file dialog of a process in about 0.3 s.
constexpr milliseconds kDialogLimit{5000};

class MarkerDocument : public WaypointWindowTest {
 protected:
  void ExpectListsHold(const std::vector<TypedWaypoint>& sorted) {
    EXPECT_EQ(Rows("List_Entire"), RowsOf(sorted));
    EXPECT_EQ(Rows("List_Recent"), std::vector<std::wstring>{}) << "a file fills no recent list";
  }

  void ExpectUntitledAndEmpty() {
    EXPECT_EQ(Caption(), L"untitled");
    EXPECT_EQ(Rows("List_Entire"), std::vector<std::wstring>{});
    EXPECT_EQ(Rows("List_Recent"), std::vector<std::wstring>{});
  }

  void ExpectFileHolds(const path& file, const std::vector<TypedWaypoint>& sorted) {
    std::optional<std::string> bytes = ReadFileBytes(file);
    ASSERT_TRUE(bytes.has_value()) << "cannot read " << file.wstring();
    const std::string expected = MarkerFileBytes(sorted);
    EXPECT_TRUE(*bytes == expected)
        << file.wstring() << " holds " << bytes->size() << " bytes:\n"
        << ReadableText(*bytes) << "\nnot these " << expected.size() << ":\n"
        << ReadableText(expected);
  }

  // A file of the three sample waypoints, as the program itself writes it.
  path WriteThreeWaypointFile(const wchar_t* name) {
    path file = folder_.Path() / name;
    EXPECT_TRUE(WriteFileBytes(file, MarkerFileBytes(kThreeSorted))) << file.wstring();
    return file;
  }
};

TEST_F(MarkerDocument, SaveAsWritesTheFileThatOpenAndRecentFilesBringBackAndSaveBacksUp) {
  const path file = folder_.Path() / L"Glacier Line.mkr";
  ASSERT_NO_FATAL_FAILURE(Launch());
  for (const auto& waypoint : kThreeInArrivalOrder) ASSERT_NO_FATAL_FAILURE(Add(waypoint));

  ASSERT_NO_FATAL_FAILURE(SaveAsThroughDialog(file));
  ExpectFileHolds(file, kThreeSorted);
  EXPECT_EQ(Caption(), L"Glacier Line.mkr");
  EXPECT_FALSE(std::filesystem::exists(BackupOf(file))) << "a new name needs no backup";

  // Saved: New asks nothing.
  ASSERT_NO_FATAL_FAILURE(RunMenuCommand("Menu_FileNew"));
  ExpectUntitledAndEmpty();
  ASSERT_NO_FATAL_FAILURE(OpenThroughDialog(file));
  ExpectListsHold(kThreeSorted);

  ASSERT_NO_FATAL_FAILURE(RunMenuCommand("Menu_FileNew"));
  ExpectUntitledAndEmpty();
  // Save As put the file at the top of Recent Files.
  ASSERT_NO_FATAL_FAILURE(ChooseTopRecentFile(file));
  ExpectListsHold(kThreeSorted);

  ASSERT_NO_FATAL_FAILURE(Add(kGlacier));
  ASSERT_NO_FATAL_FAILURE(RunMenuCommand("Menu_FileSave"));
  ExpectFileHolds(BackupOf(file), kThreeSorted);
  ExpectFileHolds(file, kFourSorted);
  EXPECT_EQ(Caption(), L"Glacier Line.mkr");
}

TEST_F(MarkerDocument, TheRecentFileIsStoredAtCloseAndOpensAfterARestart) {
  const path file = WriteThreeWaypointFile(L"summit.mkr");
  ASSERT_NO_FATAL_FAILURE(Launch());
  ASSERT_NO_FATAL_FAILURE(OpenThroughDialog(file));
  ASSERT_NO_FATAL_FAILURE(Add(kGlacier));
  ASSERT_NO_FATAL_FAILURE(RunMenuCommand("Menu_FileSave"));
  ASSERT_NO_FATAL_FAILURE(CloseExpectingNoQuestion());
  EXPECT_EQ(ReadTarvikValue(L"MRUFiles", L"0"), file.wstring()) << OtherCopies();
  EXPECT_FALSE(ReadTarvikValue(L"MRUFiles", L"1").has_value()) << OtherCopies();

  ASSERT_NO_FATAL_FAILURE(Launch());
  EXPECT_EQ(Caption(), L"untitled");
  ASSERT_NO_FATAL_FAILURE(ChooseTopRecentFile(file));
  // The saved file, with the waypoint added before the restart.
  ExpectListsHold(kFourSorted);
}

TEST_F(MarkerDocument, SavingOverAReadOnlyFileWarnsAndLeavesItUnchanged) {
  const path file = WriteThreeWaypointFile(L"belton.mkr");
  ASSERT_NO_FATAL_FAILURE(Launch());
  ASSERT_NO_FATAL_FAILURE(OpenThroughDialog(file));
  // The temporary folder clears the attribute again whatever happens.
  ASSERT_TRUE(SetReadOnly(file, true));
  ASSERT_NO_FATAL_FAILURE(Add(kGlacier));

  ASSERT_TRUE(PostMenuCommand(main_, MainMenuId("Menu_FileSave")));
  HWND box = WaitForMessageBox(process_->Id(), kWindowLimit);
  ASSERT_NE(box, nullptr) << "no warning";
  EXPECT_EQ(StoredTextOf(box), L"Tarvik");
  EXPECT_EQ(MessageTextOf(box),
            file.wstring() + L"\rcould not be saved: the file is read-only or in use.");
  EXPECT_EQ(VisibleButtonsOf(box), std::vector<std::wstring>{L"OK"});
  EXPECT_TRUE(HasIcon(box));
  ASSERT_TRUE(Click(ButtonOf(box, L"OK")));
  ASSERT_TRUE(WaitUntilGoneOrHidden(box, kWindowLimit));
  ExpectFileHolds(file, kThreeSorted);
  EXPECT_EQ(Rows("List_Entire"), RowsOf(kFourSorted)) << "the list stays as it was";

  // Writable again, the next Save goes through.
  ASSERT_TRUE(SetReadOnly(file, false));
  ASSERT_NO_FATAL_FAILURE(RunMenuCommand("Menu_FileSave"));
  ExpectFileHolds(file, kFourSorted);
  ExpectFileHolds(BackupOf(file), kThreeSorted);
}

TEST_F(MarkerDocument, ARecentFileClickedWithUnsavedChangesOpensThatFileAfterTheSaveAs) {
  const path clicked = WriteThreeWaypointFile(L"clicked.mkr");
  const path saved = folder_.Path() / L"saved first.mkr";
  ASSERT_NO_FATAL_FAILURE(Launch());
  ASSERT_NO_FATAL_FAILURE(OpenThroughDialog(clicked));
  ASSERT_NO_FATAL_FAILURE(RunMenuCommand("Menu_FileNew"));
  ASSERT_NO_FATAL_FAILURE(Add(kGlacier));

  ASSERT_TRUE(PostMenuCommand(main_, MainMenuId("Menu_FileRecent_0")));
  HWND question = WaitForMessageBox(process_->Id(), kWindowLimit);
  ASSERT_NE(question, nullptr) << "no Update question";
  EXPECT_EQ(MessageTextOf(question), L"Update untitled?");
  // Posted: the Save As dialog that Yes opens keeps the program busy.
  ASSERT_TRUE(PostMessageW(question, WM_COMMAND, IDYES, 0));
  HWND dialog = WaitForFileDialog(process_->Id(), kDialogLimit);
  ASSERT_NE(dialog, nullptr) << "no Save As dialog" << MessageBoxesUp();
  ASSERT_TRUE(EnterFileName(dialog, saved.wstring()));
  ASSERT_TRUE(WaitUntilGoneOrHidden(dialog, kWindowLimit)) << MessageBoxesUp();

  // Saving put its file on top of Recent Files; the clicked one opens all the same.
  ASSERT_NO_FATAL_FAILURE(WaitUntilDocumentIs(clicked));
  ExpectListsHold(kThreeSorted);
  ExpectFileHolds(saved, {kGlacier});
}

TEST_F(MarkerDocument, AFileOfIncorrectFormatLeavesAnUntitledListThatSaveCannotWriteOverIt) {
  const path good = WriteThreeWaypointFile(L"good.mkr");
  const path bad = folder_.Path() / L"bad.mkr";
  std::string bytes = MarkerFileBytes(kThreeSorted);
  for (char c : std::string("Marker ( broken\r\n")) bytes += {c, '\0'};
  ASSERT_TRUE(WriteFileBytes(bad, bytes));
  const path untitled = BuiltTarvikExe().parent_path() / L"untitled";
  ASSERT_FALSE(std::filesystem::exists(untitled));
  ASSERT_NO_FATAL_FAILURE(Launch());
  // Save is enabled once a file has been read.
  ASSERT_NO_FATAL_FAILURE(OpenThroughDialog(good));

  ASSERT_TRUE(PostMenuCommand(main_, MainMenuId("Menu_FileOpen")));
  HWND dialog = WaitForFileDialog(process_->Id(), kDialogLimit);
  ASSERT_NE(dialog, nullptr) << "no Open dialog";
  ASSERT_TRUE(EnterFileName(dialog, bad.wstring()));
  ASSERT_TRUE(WaitUntilGoneOrHidden(dialog, kWindowLimit));
  HWND box = WaitForMessageBox(process_->Id(), kWindowLimit);
  ASSERT_NE(box, nullptr) << "no warning";
  EXPECT_EQ(MessageTextOf(box), bad.wstring() + L"\rhas incorrect format.");
  ASSERT_TRUE(Click(ButtonOf(box, L"OK")));
  ASSERT_TRUE(WaitUntilGoneOrHidden(box, kWindowLimit));

  EXPECT_EQ(Caption(), L"untitled");
  EXPECT_EQ(Rows("List_Entire"), std::vector<std::wstring>{});
  // File > Save is disabled: its command, even sent, saves nowhere.
  ASSERT_NO_FATAL_FAILURE(RunMenuCommand("Menu_FileSave"));
  EXPECT_EQ(ReadFileBytes(bad), bytes);
  EXPECT_FALSE(std::filesystem::exists(BackupOf(bad)));
  EXPECT_FALSE(std::filesystem::exists(untitled));
}

}  // namespace
}  // namespace tarvik::e2e
