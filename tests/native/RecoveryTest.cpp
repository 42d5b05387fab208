#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "platform/memory/MemoryRecoveryPlace.h"
#include "tests/native/MainWindowFixture.h"
#include "waypoints/MarkerFile.h"
#include "waypoints/recovery/CopyNames.h"
#include "waypoints/recovery/CopyTexts.h"

namespace tarvik::app {
namespace {

using platform::Answer;
using platform::memory::MemoryFiles;
using platform::memory::MemoryRecoveryPlace;
namespace recovery = waypoints::recovery;

const std::string kPass = "C:\\Routes\\pass.mkr";

// The main window with this run's recovery copy kept in a folder of its
// own, on files apart from the documents', as the keeper writes them on a
// thread of its own.
class RecoveryTest : public MainWindowTest {
 protected:
  RecoveryTest() {
    Load();
    form->KeepRecoveryCopyWith(&keeper);
    files.Put(kPass, waypoints::EncodeMarkerFile({"A\t1\t1\t2", "B\t2\t2\t2"}));
    dialogs.ScriptChoice(kPass);
    window.Menu("Menu_FileOpen").Choose();
  }
  std::string Folder() const { return *place.folder; }
  // This run's copy once everything handed over is written.
  std::optional<platform::Bytes> Copy() {
    keeper.WaitUntilIdle();
    return recovery_files.Get(recovery::FilesOf(Folder(), "run1").copy);
  }
  void PutCopy(const std::string& name, const std::vector<std::string>& rows,
               const std::string& document) {
    const auto files_of = recovery::FilesOf(Folder(), name);
    recovery_files.Put(files_of.copy, waypoints::EncodeMarkerFile(rows));
    recovery_files.Put(files_of.path_file, recovery::EncodePathFile(document));
  }
  std::vector<std::string> Declined() {
    std::vector<std::string> names;
    for (const auto& file : place.FilesIn(Folder() + "\\Declined")) names.push_back(file.name);
    std::sort(names.begin(), names.end());
    return names;
  }

  MemoryFiles recovery_files;
  MemoryRecoveryPlace place{recovery_files};
  recovery::RecoveryKeeper keeper{place, recovery_files};
};

enum class Act { UndoToSaved, NoThenNew, NoThenOpenCancelled, FailedSaveAtExit };

struct Ending {
  const char* what;
  Act act;
  bool copy_kept;
};

void PrintTo(const Ending& ending, std::ostream* out) { *out << ending.what; }

class CopyEndingTest : public RecoveryTest, public ::testing::WithParamInterface<Ending> {
 protected:
  void Do(Act act) {
    if (act == Act::UndoToSaved) {
      window.Menu("Menu_EditUndo").Choose();
      return;
    }
    messages.ScriptAnswer(act == Act::FailedSaveAtExit ? Answer::Yes : Answer::No);
    if (act == Act::NoThenOpenCancelled) dialogs.ScriptChoice(std::nullopt);
    if (act == Act::FailedSaveAtExit) files.MakeReadOnly(kPass);
    if (act == Act::NoThenNew) window.Menu("Menu_FileNew").Choose();
    else if (act == Act::NoThenOpenCancelled) window.Menu("Menu_FileOpen").Choose();
    else window.UserClose();
  }
};

TEST_P(CopyEndingTest, TheCopyFollowsTheUnsavedListUntilNothingIsLeftToRecover) {
  AddWaypoint("C", "3", "3");
  EXPECT_EQ(Copy(), waypoints::EncodeMarkerFile(List("List_Entire").Items()));
  EXPECT_EQ(recovery_files.Get(recovery::FilesOf(Folder(), "run1").path_file),
            recovery::EncodePathFile(kPass));
  EXPECT_TRUE(place.Held(recovery::FilesOf(Folder(), "run1").owner));

  Do(GetParam().act);

  EXPECT_EQ(Copy().has_value(), GetParam().copy_kept);
  if (GetParam().copy_kept) {
    EXPECT_EQ(Copy(), waypoints::EncodeMarkerFile(List("List_Entire").Items()));
  }
}

// Save, No at exit and a change after the first are seen under Wine.
INSTANTIATE_TEST_SUITE_P(
    Endings, CopyEndingTest,
    ::testing::Values(Ending{"Undo back to the saved list", Act::UndoToSaved, false},
                      Ending{"No to saving, then New", Act::NoThenNew, false},
                      Ending{"No to saving, then Open cancelled", Act::NoThenOpenCancelled, false},
                      Ending{"Yes to saving at exit, and the save fails", Act::FailedSaveAtExit,
                             true}));

TEST_F(RecoveryTest, LeftCopiesOfEndedRunsAreOfferedNoDeclinesThemYesRestoresTheDocument) {
  for (int i = 0; i < 10; ++i) {
    PutCopy("Declined\\20240101-00000" + std::to_string(i) + "-old", {"O\t1\t1\t2"}, "");
  }
  PutCopy("alive", {"L\t1\t1\t2"}, "C:\\live.mkr");
  place.HeldElsewhere(recovery::FilesOf(Folder(), "alive").owner);
  PutCopy("fresh", {"N\t1\t1\t2"}, "");
  place.SetWritten(recovery::FilesOf(Folder(), "fresh").copy, {2024, 5, 3, 8, 30, 0});
  PutCopy("west", {"Z\t9\t9\t2", "Y\t8\t8\t2"}, "D:\\Lines\\west.mkr");
  place.SetWritten(recovery::FilesOf(Folder(), "west").copy, {2024, 5, 2, 9, 5, 0});
  recovery_files.Put(recovery::FilesOf(Folder(), "broken").copy, {1, 2, 3});
  recovery::RecoveryFolder folder(place, recovery_files);
  messages.ScriptAnswer(Answer::No);
  messages.ScriptAnswer(Answer::Yes);
  const size_t shown = messages.History().size();

  form->OfferLeftCopies(folder.TakeLeftCopies(), folder);

  const auto& history = messages.History();
  ASSERT_EQ(history.size(), shown + 3) << "a warning, then the copies of ended runs, newest first";
  EXPECT_EQ(history[shown].text, recovery::FilesOf(Folder(), "broken").copy +
                                     "\ris a recovery copy that cannot be read. It was moved to "
                                     "the folder Recovery\\Declined.");
  EXPECT_EQ(history[shown + 1].text,
            "Tarvik ended without saving the changes to untitled. A copy was kept: 1 waypoint, "
            "last written 2024-05-03 08:30.\n\nRestore it? No moves the copy to the folder "
            "Recovery\\Declined.");
  EXPECT_EQ(history[shown + 2].title, "Tarvik");
  EXPECT_TRUE(history[shown + 2].text.starts_with(
      "Tarvik ended without saving the changes to west.mkr. A copy was kept: 2 waypoints, last "
      "written 2024-05-02 09:05."));

  // Yes: the unsaved state of that document.
  EXPECT_EQ(List("List_Entire").Items(), (std::vector<std::string>{"Y\t8\t8\t2", "Z\t9\t9\t2"}));
  EXPECT_EQ(window.Caption(), "west.mkr");
  EXPECT_EQ(form->Document().DocPath, "D:\\Lines\\west.mkr");
  EXPECT_TRUE(window.Menu("Menu_FileSave").Enabled());
  EXPECT_TRUE(form->Document().IsDirty);
  // This run goes on with that copy, under its name.
  keeper.WaitUntilIdle();
  EXPECT_EQ(recovery_files.Get(recovery::FilesOf(Folder(), "west").copy),
            waypoints::EncodeMarkerFile(List("List_Entire").Items()));
  EXPECT_TRUE(place.Held(recovery::FilesOf(Folder(), "west").owner));
  EXPECT_FALSE(Copy().has_value());

  // No, and the unreadable one: in Declined, where the ten declined last stay.
  std::vector<std::string> declined;
  for (int i = 2; i < 10; ++i) {
    declined.push_back("20240101-00000" + std::to_string(i) + "-old.mkr");
    declined.push_back("20240101-00000" + std::to_string(i) + "-old.path.txt");
  }
  for (const char* name : {"20240503-142200-broken.mkr", "20240503-142200-fresh.mkr",
                           "20240503-142200-fresh.path.txt"}) {
    declined.push_back(name);
  }
  EXPECT_EQ(Declined(), declined);
  // A living run's copy is not touched.
  EXPECT_TRUE(recovery_files.Exists(recovery::FilesOf(Folder(), "alive").copy));
}

}  // namespace
}  // namespace tarvik::app
