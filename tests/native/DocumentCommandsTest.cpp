#include <gtest/gtest.h>

#include "tests/native/MainWindowFixture.h"
#include "waypoints/MarkerFile.h"
#include "waypoints/Utf16.h"

namespace tarvik::app {
namespace {

using platform::Answer;
using platform::FileStatus;
using platform::memory::MemoryFiles;
using Op = MemoryFiles::Operation;

const std::string kPass = "C:\\Routes\\pass.mkr";
const std::string kPassBackup = "C:\\Routes\\pass.bak";

platform::Bytes FileOf(const std::vector<std::string>& rows) {
  return waypoints::EncodeMarkerFile(rows);
}

class DocumentTest : public MainWindowTest {
 protected:
  DocumentTest() { Load(); }

  void Open(const std::string& path) {
    dialogs.ScriptChoice(path);
    window.Menu("Menu_FileOpen").Choose();
  }
  void OpenPass() {
    files.Put(kPass, FileOf({"A\t1\t1\t2", "B\t2\t2\t2"}));
    Open(kPass);
  }
  std::vector<std::string> Recent() {
    std::vector<std::string> paths;
    for (int i = 0; i <= form->MRULastIndex(); ++i) {
      paths.push_back(window.Menu("Menu_FileRecent_" + std::to_string(i)).Caption());
    }
    return paths;
  }
  void ExpectUntitled() {
    EXPECT_EQ(window.Caption(), "untitled");
    EXPECT_EQ(form->Document().DocName, "untitled");
    EXPECT_EQ(form->Document().DocPath, system.program_folder + "\\untitled");
  }
  bool SaveEnabled() { return window.Menu("Menu_FileSave").Enabled(); }
};

TEST_F(DocumentTest, OpeningAFileShowsItsRowsSortedAndMakesItTheDocument) {
  files.Put(kPass, FileOf({"b\t1\t1\t2", "A\t2\t2\t2"}));
  AddWaypoint("Old", "1", "1");
  messages.ScriptAnswer(Answer::No);
  Open(kPass);
  EXPECT_EQ(List("List_Entire").Items(), (std::vector<std::string>{"A\t2\t2\t2", "b\t1\t1\t2"}));
  EXPECT_TRUE(List("List_Recent").Items().empty());
  EXPECT_EQ(window.Caption(), "pass.mkr");
  EXPECT_EQ(form->Document().DocPath, kPass);
  EXPECT_FALSE(form->Document().IsDirty);
  EXPECT_TRUE(SaveEnabled());
  EXPECT_EQ(Recent(), std::vector<std::string>{kPass});
  EXPECT_TRUE(window.Menu("Menu_FileRecent_0").Visible());
  EXPECT_TRUE(window.Menu("Bar").Visible());
  EXPECT_FALSE(Control("Command_Last").Enabled());
  EXPECT_EQ(form->LastRow(), "");
  const auto& shown = dialogs.History().back();
  EXPECT_FALSE(shown.save);
  EXPECT_EQ(shown.options.filter, "Marker Files (*.mkr)|*.mkr");
  EXPECT_TRUE(shown.options.hide_read_only);
}

TEST_F(DocumentTest, TheReaderOutcomes) {
  files.Put("C:\\empty.mkr", FileOf({}));
  Open("C:\\empty.mkr");
  EXPECT_EQ(LastMessage().text, "C:\\empty.mkr\rhas no waypoints.");
  EXPECT_EQ(LastMessage().title, "Tarvik");
  EXPECT_EQ(LastMessage().kind, ScriptedMessageBoxes::Kind::Warning);
  EXPECT_EQ(window.Caption(), "empty.mkr");
  EXPECT_TRUE(SaveEnabled());
  EXPECT_EQ(Recent(), std::vector<std::string>{"C:\\empty.mkr"});

  // Not Unicode: nothing changes at all.
  AddWaypoint("Keep", "1", "1");
  const std::string text = "Marker ( 1 2 \"A\" 2 )\r\n";
  files.Put("C:\\ansi.mkr", platform::Bytes(text.begin(), text.end()));
  messages.ScriptAnswer(Answer::No);
  Open("C:\\ansi.mkr");
  EXPECT_EQ(LastMessage().text, "C:\\ansi.mkr\rNot Found or is not Unicode format.");
  EXPECT_EQ(List("List_Entire").Count(), 1);
  EXPECT_EQ(window.Caption(), "empty.mkr");
  EXPECT_FALSE(form->Document().IsDirty);
  Open("C:\\missing.mkr");
  EXPECT_EQ(LastMessage().text, "C:\\missing.mkr\rNot Found or is not Unicode format.");

  // Incorrect format: lists emptied, the file is the document, not recorded.
  platform::Bytes bad = FileOf({"A\t1\t1\t2"});
  waypoints::AppendUtf16Le("Marker ( broken\r\n", bad);
  files.Put("C:\\bad.mkr", bad);
  Open("C:\\bad.mkr");
  EXPECT_EQ(LastMessage().text, "C:\\bad.mkr\rhas incorrect format.");
  EXPECT_EQ(List("List_Entire").Count(), 0);
  EXPECT_EQ(window.Caption(), "bad.mkr");
  EXPECT_EQ(Recent(), std::vector<std::string>{"C:\\empty.mkr"});
}

TEST_F(DocumentTest, AnUnreadableFileIsIncorrectFormat) {
  files.Put(kPass, FileOf({"A\t1\t1\t2"}));
  files.FailOn(Op::ReadFirst, kPass, FileStatus::Denied);
  Open(kPass);
  EXPECT_EQ(LastMessage().text, kPass + "\rhas incorrect format.");
  EXPECT_EQ(window.Caption(), "untitled") << "the Unicode test never passed";
  files.FailOn(Op::ReadFirst, kPass, FileStatus::Ok);
}

TEST_F(DocumentTest, StateTable) {
  // Add or Delete.
  AddWaypoint("A", "1", "1");
  EXPECT_TRUE(form->Document().IsDirty);
  // New, answering No.
  messages.ScriptAnswer(Answer::No);
  window.Menu("Menu_FileNew").Choose();
  EXPECT_EQ(List("List_Entire").Count(), 0);
  ExpectUntitled();
  EXPECT_FALSE(form->Document().IsDirty);
  EXPECT_FALSE(SaveEnabled());
  // Open, file read.
  OpenPass();
  EXPECT_EQ(List("List_Entire").Count(), 2);
  // Open, dialog cancelled: lists stay, IsDirty is cleared all the same.
  AddWaypoint("C", "3", "3");
  messages.ScriptAnswer(Answer::No);
  dialogs.ScriptChoice(std::nullopt);
  window.Menu("Menu_FileOpen").Choose();
  EXPECT_EQ(List("List_Entire").Count(), 3);
  EXPECT_FALSE(form->Document().IsDirty);
  EXPECT_EQ(window.Caption(), "pass.mkr");
  // Save.
  form->Document().IsDirty = true;
  window.Menu("Menu_FileSave").Choose();
  EXPECT_FALSE(form->Document().IsDirty);
  EXPECT_EQ(files.Get(kPass), FileOf(List("List_Entire").Items()));
  EXPECT_EQ(window.Caption(), "pass.mkr");
  // Save As, written.
  form->Document().IsDirty = true;
  dialogs.ScriptChoice("C:\\Routes\\copy.mkr");
  window.Menu("Menu_FileSaveAs").Choose();
  EXPECT_FALSE(form->Document().IsDirty);
  EXPECT_EQ(window.Caption(), "copy.mkr");
  EXPECT_EQ(form->Document().DocPath, "C:\\Routes\\copy.mkr");
  EXPECT_EQ(Recent(), (std::vector<std::string>{"C:\\Routes\\copy.mkr", kPass}));
  EXPECT_FALSE(files.Exists("C:\\Routes\\copy.bak")) << "a new name makes no backup";
  // Save As, cancelled and refused.
  form->Document().IsDirty = true;
  dialogs.ScriptChoice(std::nullopt);
  window.Menu("Menu_FileSaveAs").Choose();
  EXPECT_EQ(dialogs.History().back().options.initial_name, "C:\\Routes\\copy.mkr")
      << "the last chosen name is offered again";
  dialogs.ScriptChoice(kPass);
  messages.ScriptAnswer(Answer::No);
  window.Menu("Menu_FileSaveAs").Choose();
  EXPECT_EQ(LastMessage().text, "Overwrite " + kPass + "?");
  EXPECT_TRUE(form->Document().IsDirty);
  EXPECT_EQ(window.Caption(), "copy.mkr");
}

TEST_F(DocumentTest, SavingTwiceKeepsTheSecondToLastVersionAsBackup) {
  OpenPass();
  const platform::Bytes first = *files.Get(kPass);
  AddWaypoint("C", "3", "3");
  window.Menu("Menu_FileSave").Choose();
  const platform::Bytes second = *files.Get(kPass);
  EXPECT_EQ(files.Get(kPassBackup), first);
  AddWaypoint("D", "4", "4");
  window.Menu("Menu_FileSave").Choose();
  EXPECT_EQ(files.Get(kPassBackup), second);
  EXPECT_EQ(List("List_Entire").Count(), 4);
  EXPECT_EQ(files.Get(kPass), FileOf(List("List_Entire").Items()));
}

TEST_F(DocumentTest, SaveAsOntoTheCurrentFileBacksItUp) {
  OpenPass();
  const platform::Bytes before = *files.Get(kPass);
  AddWaypoint("C", "3", "3");
  dialogs.ScriptChoice(kPass);
  messages.ScriptAnswer(Answer::Yes);
  window.Menu("Menu_FileSaveAs").Choose();
  EXPECT_EQ(files.Get(kPassBackup), before);
  EXPECT_EQ(List("List_Entire").Count(), 3);
  EXPECT_EQ(files.Get(kPass), FileOf(List("List_Entire").Items()));
}

TEST_F(DocumentTest, AYesToUpdateSavesFirstThenTheCommandGoesOn) {
  OpenPass();
  AddWaypoint("C", "3", "3");
  messages.ScriptAnswer(Answer::Yes);
  window.Menu("Menu_FileNew").Choose();
  EXPECT_EQ(LastMessage().text, "Update pass.mkr?");
  EXPECT_EQ(List("List_Entire").Count(), 0);
  EXPECT_EQ(files.Get(kPass), FileOf({"A\t1\t1\t2", "B\t2\t2\t2", "C\t3\t3\t2"}));
}

TEST_F(DocumentTest, AnUntitledListIsSavedThroughSaveAsFromTheUpdateQuestion) {
  AddWaypoint("A", "1", "1");
  messages.ScriptAnswer(Answer::Yes);
  dialogs.ScriptChoice("C:\\Routes\\new route");
  window.Menu("Menu_FileNew").Choose();
  EXPECT_EQ(files.Get("C:\\Routes\\new route"), FileOf({"A\t1\t1\t2"})) << "no extension added";
  EXPECT_EQ(List("List_Entire").Count(), 0) << "New went on after the save";
  ExpectUntitled();
  EXPECT_EQ(Recent(), std::vector<std::string>{"C:\\Routes\\new route"});

  // Cancelling the Save As stops the command that asked.
  AddWaypoint("B", "1", "1");
  messages.ScriptAnswer(Answer::Yes);
  dialogs.ScriptChoice(std::nullopt);
  window.Menu("Menu_FileOpen").Choose();
  EXPECT_EQ(dialogs.History().size(), 2u) << "no open dialog after the cancelled save";
  EXPECT_EQ(List("List_Entire").Count(), 1);
  EXPECT_TRUE(form->Document().IsDirty);
}

TEST_F(DocumentTest, NewThenSaveAsLeavesSaveDisabled) {
  OpenPass();
  window.Menu("Menu_FileNew").Choose();
  AddWaypoint("A", "1", "1");
  dialogs.ScriptChoice("C:\\a.mkr");
  window.Menu("Menu_FileSaveAs").Choose();
  EXPECT_FALSE(SaveEnabled());
  EXPECT_EQ(window.Caption(), "a.mkr");
}

struct Fault {
  Op operation;
  bool on_backup;
  FileStatus status;
  const char* sentence;
};

void PrintTo(const Fault& fault, std::ostream* out) {
  static const char* const kNames[] = {"ReadFirst", "ReadAll", "CreateNew", "Copy", "Delete"};
  *out << kNames[static_cast<int>(fault.operation)] << (fault.on_backup ? " of the backup" : "");
}

class SaveFaultTest : public DocumentTest, public ::testing::WithParamInterface<Fault> {};

TEST_P(SaveFaultTest, AFailedSaveWarnsAndTheOldContentsSurvive) {
  const Fault fault = GetParam();
  OpenPass();
  const platform::Bytes original = *files.Get(kPass);
  files.Put(kPassBackup, {1, 2, 3});
  AddWaypoint("C", "3", "3");
  files.FailOn(fault.operation, fault.on_backup ? kPassBackup : kPass, fault.status);

  messages.ScriptAnswer(Answer::Yes);
  window.Menu("Menu_FileNew").Choose();

  EXPECT_EQ(LastMessage().text, kPass + "\r" + fault.sentence);
  EXPECT_EQ(LastMessage().title, "Tarvik");
  EXPECT_EQ(LastMessage().kind, ScriptedMessageBoxes::Kind::Warning);
  EXPECT_TRUE(form->Document().IsDirty);
  EXPECT_EQ(List("List_Entire").Count(), 3) << "New stopped";
  bool at_path = files.Get(kPass) == original;
  bool at_backup = files.Get(kPassBackup) == original;
  EXPECT_TRUE(at_path || at_backup);
}

INSTANTIATE_TEST_SUITE_P(
    EveryStep, SaveFaultTest,
    ::testing::Values(
        Fault{Op::Delete, true, FileStatus::Denied, "could not be saved: the file is read-only or in use."},
        Fault{Op::Copy, false, FileStatus::Failed, "could not be saved: the disk may be full or unavailable."},
        Fault{Op::Delete, false, FileStatus::Denied, "could not be saved: the file is read-only or in use."},
        Fault{Op::CreateNew, false, FileStatus::Failed, "could not be saved: the disk may be full or unavailable."},
        Fault{Op::CreateNew, false, FileStatus::NotFound,
              "could not be saved: the file or its folder is missing."}));

TEST_F(DocumentTest, AReadOnlyFileIsNotReplaced) {
  OpenPass();
  const platform::Bytes original = *files.Get(kPass);
  files.MakeReadOnly(kPass);
  AddWaypoint("C", "3", "3");
  window.Menu("Menu_FileSave").Choose();
  EXPECT_EQ(LastMessage().text, kPass + "\rcould not be saved: the file is read-only or in use.");
  EXPECT_EQ(files.Get(kPass), original);
  EXPECT_TRUE(form->Document().IsDirty);
}

TEST_F(DocumentTest, AFailedSaveAsKeepsTheDocumentAsItWas) {
  OpenPass();
  AddWaypoint("C", "3", "3");
  files.FailOn(Op::CreateNew, "D:\\gone\\x.mkr", FileStatus::NotFound);
  dialogs.ScriptChoice("D:\\gone\\x.mkr");
  window.Menu("Menu_FileSaveAs").Choose();
  EXPECT_EQ(LastMessage().text, "D:\\gone\\x.mkr\rcould not be saved: the file or its folder is missing.");
  EXPECT_EQ(window.Caption(), "pass.mkr");
  EXPECT_TRUE(form->Document().IsDirty);
  EXPECT_EQ(Recent(), std::vector<std::string>{kPass});
}

TEST_F(DocumentTest, ClosingWithChangesSavesOnYesAndStillCloses) {
  OpenPass();
  AddWaypoint("C", "3", "3");
  files.MakeReadOnly(kPass);
  messages.ScriptAnswer(Answer::Yes);
  window.UserClose();
  EXPECT_TRUE(window.Destroyed()) << "closing goes on after a failed save";
  EXPECT_EQ(store.Read("MRUFiles", "0"), kPass);
}

}  // namespace
}  // namespace tarvik::app
