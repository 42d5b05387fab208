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

  // Incorrect format: lists emptied, not recorded.
  platform::Bytes bad = FileOf({"A\t1\t1\t2"});
  waypoints::AppendUtf16Le("Marker ( broken\r\n", bad);
  files.Put("C:\\bad.mkr", bad);
  Open("C:\\bad.mkr");
  EXPECT_EQ(LastMessage().text, "C:\\bad.mkr\rhas incorrect format.");
  EXPECT_EQ(List("List_Entire").Count(), 0);
  EXPECT_EQ(Recent(), std::vector<std::string>{"C:\\empty.mkr"});
}

TEST_F(DocumentTest, EveryFailedReadLeavesAnUntitledDocumentThatNoSaveCanWriteOverTheFile) {
  struct Cause {
    const char* what;
    std::function<void(const std::string& path)> arrange;
  };
  auto line = [&](const std::string& text) {
    return [&, text](const std::string& path) {
      platform::Bytes bytes = FileOf({"A\t1\t1\t2"});
      waypoints::AppendUtf16Le(text, bytes);
      files.Put(path, bytes);
    };
  };
  const Cause causes[] = {
      {"a malformed line", line("Marker ( broken\r\n")},
      {"a tab in a name", line("Marker ( 1 2 \"Tab\tName\" 2 )\r\n")},
      {"a NUL in a name", line(std::string("Marker ( 1 2 \"A") + '\0' + "B\" 2 )\r\n")},
      {"a locked file",
       [&](const std::string& path) { files.FailOn(Op::ReadFirst, path, FileStatus::Denied); }},
      {"a file that cannot be read through",
       [&](const std::string& path) { files.FailOn(Op::ReadAll, path, FileStatus::Failed); }},
      {"a file too large to hold",
       [&](const std::string& path) { files.ClaimSize(path, platform::kLargestReadable + 1); }},
  };
  int n = 0;
  for (const auto& cause : causes) {
    SCOPED_TRACE(cause.what);
    OpenPass();
    ASSERT_TRUE(SaveEnabled());
    const std::string path = "C:\\Routes\\bad" + std::to_string(++n) + ".mkr";
    files.Put(path, FileOf({"A\t1\t1\t2"}));
    cause.arrange(path);
    const platform::Bytes before = *files.Get(path);

    Open(path);
    EXPECT_EQ(LastMessage().text, path + "\rhas incorrect format.");
    EXPECT_EQ(LastMessage().kind, ScriptedMessageBoxes::Kind::Warning);
    ExpectUntitled();
    EXPECT_FALSE(SaveEnabled());
    EXPECT_FALSE(form->Document().IsDirty);
    EXPECT_EQ(List("List_Entire").Count(), 0);
    EXPECT_EQ(Recent().front(), kPass) << "not recorded";
    window.Menu("Menu_FileSave").Choose();
    EXPECT_EQ(files.Get(path), before);
  }
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
  bool on_saving_file;  // else on the document
  FileStatus status;
  const char* sentence;
};

void PrintTo(const Fault& fault, std::ostream* out) {
  static const char* const kNames[] = {"ReadFirst", "ReadAll", "CreateNew", "Delete", "Move"};
  *out << kNames[static_cast<int>(fault.operation)]
       << (fault.on_saving_file ? " of the new file" : " of the document");
}

class SaveFaultTest : public DocumentTest, public ::testing::WithParamInterface<Fault> {};

TEST_P(SaveFaultTest, AFailedSaveWarnsWhyAndStopsTheCommandThatAsked) {
  const Fault fault = GetParam();
  OpenPass();
  files.Put(kPassBackup, {1, 2, 3});
  AddWaypoint("C", "3", "3");
  files.FailOn(fault.operation, fault.on_saving_file ? kPass + ".saving" : kPass, fault.status);

  messages.ScriptAnswer(Answer::Yes);
  window.Menu("Menu_FileNew").Choose();

  EXPECT_EQ(LastMessage().text, kPass + "\r" + fault.sentence);
  EXPECT_EQ(LastMessage().title, "Tarvik");
  EXPECT_EQ(LastMessage().kind, ScriptedMessageBoxes::Kind::Warning);
  EXPECT_TRUE(form->Document().IsDirty);
  EXPECT_EQ(List("List_Entire").Count(), 3) << "New stopped";
}

INSTANTIATE_TEST_SUITE_P(
    EveryStep, SaveFaultTest,
    ::testing::Values(
        Fault{Op::CreateNew, true, FileStatus::Failed, "could not be saved: the disk may be full or unavailable."},
        Fault{Op::CreateNew, true, FileStatus::NotFound,
              "could not be saved: the file or its folder is missing."},
        Fault{Op::CreateNew, true, FileStatus::Denied, "could not be saved: the file is read-only or in use."},
        Fault{Op::Move, false, FileStatus::Denied,
              "could not be saved: the file or its backup is read-only or in use."},
        Fault{Op::Move, true, FileStatus::Failed, "could not be saved: the disk may be full or unavailable."}));

// Save's last two steps move the old file to its backup and the new one to
// the document's path; another program that holds the path refuses either.
// Afterwards the old file is at its path again, and a new file that could
// not take its place stays beside it.
TEST_F(DocumentTest, WhicheverOfSavesTwoMovesFailsTheOldFileIsAtItsPathAndTheNewOneIsKept) {
  struct Case {
    const char* what;
    std::vector<std::string> refused;  // the moves' sources
    bool old_at_path;
    bool new_kept;
    const char* sentence;
  };
  const std::string saving = kPass + ".saving";
  const Case cases[] = {
      {"the old file to its backup", {kPass}, true, false,
       "could not be saved: the file or its backup is read-only or in use."},
      {"the new file to the path", {saving}, true, true,
       "could not be saved: the file or its backup is read-only or in use."},
      {"the new file to the path, and the old one back", {saving, kPassBackup}, false, true,
       "could not be saved: the file is in use. The previous version is its backup (.bak), the "
       "new one is beside it (.saving)."},
  };
  for (const Case& test : cases) {
    SCOPED_TRACE(test.what);
    files = MemoryFiles();
    form->Document().IsDirty = false;
    OpenPass();
    files.Put(kPassBackup, {1, 2, 3});
    const platform::Bytes previous = *files.Get(kPass);
    AddWaypoint("C", "3", "3");
    const platform::Bytes saved = FileOf(List("List_Entire").Items());
    for (const auto& source : test.refused) files.FailOn(Op::Move, source, FileStatus::Denied);

    window.Menu("Menu_FileSave").Choose();

    EXPECT_EQ(LastMessage().text, kPass + "\r" + test.sentence);
    EXPECT_EQ(files.Get(test.old_at_path ? kPass : kPassBackup), previous);
    EXPECT_EQ(files.Get(saving), test.new_kept ? std::optional(saved) : std::nullopt);
    EXPECT_TRUE(form->Document().IsDirty);
  }
}

// Every combination of a missing file, an existing backup, a read-only file
// or backup and a failure at any one step, for Save and for Save As onto
// the file: the previous contents are on the disk at every moment, at the
// document's path or its backup, and the list stays as it was.
TEST_F(DocumentTest, NothingIsLostWhateverFailsDuringASave) {
  const platform::Bytes previous = FileOf({"A\t1\t1\t2", "B\t2\t2\t2"});
  const platform::Bytes old_backup = {1, 2, 3};
  const std::string saving = kPass + ".saving";
  int runs = 0;
  for (int combination = 0; combination < 32; ++combination) {
    const bool missing = combination & 1;
    const bool backup = combination & 2;
    const bool read_only_file = combination & 4;
    const bool read_only_backup = combination & 8;
    const bool save_as = combination & 16;
    if ((missing && read_only_file) || (!backup && read_only_backup)) continue;
    const bool refused = !missing && (read_only_file || read_only_backup);
    for (int step = 0;; ++step) {
      SCOPED_TRACE(::testing::Message() << "combination " << combination << ", step " << step);
      files = MemoryFiles();
      form->Document().IsDirty = false;  // no Update question from the last run
      OpenPass();
      AddWaypoint("C", "3", "3");
      const std::vector<std::string> rows = List("List_Entire").Items();
      if (missing) files.Delete(kPass);
      if (backup) files.Put(kPassBackup, old_backup);
      if (read_only_file) files.MakeReadOnly(kPass);
      if (read_only_backup) files.MakeReadOnly(kPassBackup);
      auto previous_kept = [&] {
        if (!missing) {
          EXPECT_TRUE(files.Get(kPass) == previous || files.Get(kPassBackup) == previous);
        } else if (backup) {
          EXPECT_EQ(files.Get(kPassBackup), old_backup);
        }
      };
      files.AfterEachChange(previous_kept);
      files.FailNth(step, FileStatus::Failed);
      const size_t shown = messages.History().size();

      if (save_as) {
        dialogs.ScriptChoice(kPass);
        if (!missing) messages.ScriptAnswer(Answer::Yes);
        window.Menu("Menu_FileSaveAs").Choose();
      } else {
        window.Menu("Menu_FileSave").Choose();
      }
      ++runs;

      previous_kept();
      EXPECT_EQ(List("List_Entire").Items(), rows);
      EXPECT_EQ(window.Caption(), "pass.mkr");
      const bool failed = refused || files.NthFailed();
      EXPECT_EQ(form->Document().IsDirty, failed);
      if (failed) {
        ASSERT_GT(messages.History().size(), shown);
        EXPECT_TRUE(LastMessage().text.starts_with(kPass + "\rcould not be saved: "));
      } else {
        EXPECT_EQ(files.Get(kPass), FileOf(rows));
        EXPECT_EQ(files.Get(kPassBackup),
                  missing ? (backup ? std::optional(old_backup) : std::nullopt) : std::optional(previous));
      }
      // Cleared away, unless the one failure hit that very step, or the
      // new file could not take the old one's place: then it stays beside
      // the old one, the only copy of what was saved.
      if (files.Exists(saving) && !(refused && files.NthFailed())) {
        EXPECT_EQ(files.Get(saving), FileOf(rows));
        EXPECT_EQ(files.Get(kPass), previous);
      }
      if (step > 0 && !files.NthFailed()) break;  // every step has failed once
    }
  }
  EXPECT_GT(runs, 60);
}

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
  files.FailOn(Op::CreateNew, "D:\\gone\\x.mkr.saving", FileStatus::NotFound);
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
