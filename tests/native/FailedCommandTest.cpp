#include <gtest/gtest.h>

#include <functional>
#include <new>
#include <stdexcept>

#include "tests/native/MainWindowFixture.h"
#include "waypoints/MarkerFile.h"

namespace tarvik::app {
namespace {

using platform::Answer;
using platform::FileStatus;
using Op = platform::memory::MemoryFiles::Operation;

const std::string kLoaded = "C:\\Routes\\loaded.mkr";
const std::string kOther = "C:\\Routes\\other.mkr";

// Everything a failed command must leave as it found it.
struct DocumentView {
  std::vector<std::string> entire;
  std::vector<std::string> recent;
  std::vector<std::string> entry;
  std::string caption;
  DocumentState document;
  bool save_enabled;
  std::string current_row;
  waypoints::Waypoint current;
  std::string last_row;
};

class FailedCommandTest : public MainWindowTest {
 protected:
  FailedCommandTest() {
    Load();
    expect_command_failure = true;
    files.Put(kLoaded, waypoints::EncodeMarkerFile({"A\t1\t1\t2", "B\t2\t2\t2", "C\t3\t3\t2"}));
    files.Put(kOther, waypoints::EncodeMarkerFile({"Z\t9\t9\t2"}));
    Open(kLoaded);
    List("List_Entire").UserSelect(1);
  }
  void Open(const std::string& path) {
    dialogs.ScriptChoice(path);
    window.Menu("Menu_FileOpen").Choose();
  }
  DocumentView Now() {
    return {List("List_Entire").Items(),
            List("List_Recent").Items(),
            {Control("Text_Waypoint").Caption(), Control("Text_Latitude").Caption(),
             Control("Text_Longitude").Caption()},
            window.Caption(),
            form->Document(),
            window.Menu("Menu_FileSave").Enabled(),
            form->CurrentRow(),
            form->Current(),
            form->LastRow()};
  }
  int Warnings() const {
    int count = 0;
    for (const auto& shown : messages.History()) {
      count += shown.text.rfind("The command could not be completed", 0) == 0;
    }
    return count;
  }
  void ExpectUnchanged(const DocumentView& before) {
    DocumentView after = Now();
    EXPECT_EQ(after.entire, before.entire);
    EXPECT_EQ(after.recent, before.recent);
    EXPECT_EQ(after.entry, before.entry);
    EXPECT_EQ(after.caption, before.caption);
    EXPECT_EQ(after.document.DocName, before.document.DocName);
    EXPECT_EQ(after.document.DocPath, before.document.DocPath);
    EXPECT_EQ(after.document.IsDirty, before.document.IsDirty);
    EXPECT_EQ(after.save_enabled, before.save_enabled);
    EXPECT_EQ(after.current_row, before.current_row);
    EXPECT_EQ(after.current, before.current);
    EXPECT_EQ(after.last_row, before.last_row);
  }
};

struct Failure {
  const char* command;
  std::function<void()> arrange;
  std::function<void()> act;
  const char* warning;
};

std::exception_ptr OutOfMemory() { return std::make_exception_ptr(std::bad_alloc()); }

TEST_F(FailedCommandTest, ACommandThatThrowsLeavesTheDocumentAsItWasSaysWhyAndTheProgramGoesOn) {
  const Failure failures[] = {
      {"Open of another file that is too much to hold",
       [this] { files.ThrowOn(Op::ReadAll, kOther, OutOfMemory()); },
       [this] { Open(kOther); },
       "The command could not be completed: not enough memory."},
      {"a Recent Files entry whose disk fails",
       [this] {
         files.ThrowOn(Op::ReadFirst, kLoaded,
                         std::make_exception_ptr(std::runtime_error("the disk went away")));
       },
       [this] { window.Menu("Menu_FileRecent_0").Choose(); },
       "The command could not be completed: the disk went away"},
      {"Save",
       [this] {
         AddWaypoint("D", "4", "4");
         files.ThrowOn(Op::CreateNew, kLoaded + ".saving", OutOfMemory());
       },
       [this] { window.Menu("Menu_FileSave").Choose(); },
       "The command could not be completed: not enough memory."},
      {"New whose Update saves",
       [this] {
         AddWaypoint("D", "4", "4");
         files.ThrowOn(Op::CreateNew, kLoaded + ".saving", OutOfMemory());
         messages.ScriptAnswer(Answer::Yes);
       },
       [this] { window.Menu("Menu_FileNew").Choose(); },
       "The command could not be completed: not enough memory."},
      {"Add, failing in the jump that the recent list's handler makes inside it",
       [this] {
         Control("Text_Waypoint").Type(" New ");
         Control("Text_Latitude").Type("5");
         Control("Text_Longitude").Type("5");
         system.during_do_events = [] { throw std::runtime_error("jump failed"); };
       },
       [this] { Control("Command_New").Click(); },
       "The command could not be completed: jump failed"},
      {"a selection in the entire list",
       [this] {
         system.during_do_events = [] { throw std::length_error("too long"); };
       },
       [this] { List("List_Entire").UserSelect(2); },
       "The command could not be completed: too long"},
  };
  for (const auto& failure : failures) {
    SCOPED_TRACE(failure.command);
    failure.arrange();
    const DocumentView before = Now();
    const int warnings = Warnings();

    failure.act();

    ASSERT_EQ(Warnings(), warnings + 1) << "one warning, also for a nested handler";
    EXPECT_EQ(LastMessage().text, failure.warning);
    EXPECT_EQ(LastMessage().title, "Tarvik");
    EXPECT_EQ(LastMessage().kind, ScriptedMessageBoxes::Kind::Warning);
    ExpectUnchanged(before);

    // The program goes on: with the fault gone, the same document works.
    system.during_do_events = nullptr;
    files = platform::memory::MemoryFiles();
    files.Put(kLoaded, waypoints::EncodeMarkerFile({"A\t1\t1\t2", "B\t2\t2\t2", "C\t3\t3\t2"}));
    files.Put(kOther, waypoints::EncodeMarkerFile({"Z\t9\t9\t2"}));
    form->Document().IsDirty = false;
    Open(kOther);
    EXPECT_EQ(List("List_Entire").Items(), std::vector<std::string>{"Z\t9\t9\t2"});
    Open(kLoaded);
    List("List_Entire").UserSelect(1);
  }
}

TEST_F(FailedCommandTest, AFailureAfterTheListWasReplacedLeavesAnUntitledListAsAFailedReadDoes) {
  const std::string empty = "C:\\Routes\\empty.mkr";
  files.Put(empty, waypoints::EncodeMarkerFile({}));
  const platform::Bytes loaded = *files.Get(kLoaded);
  messages.while_shown = [](const ScriptedMessageBoxes::Shown& shown) {
    if (shown.text.ends_with("has no waypoints.")) throw std::bad_alloc();
  };
  Open(empty);
  messages.while_shown = nullptr;
  EXPECT_EQ(LastMessage().text, "The command could not be completed: not enough memory.");
  EXPECT_EQ(window.Caption(), "untitled");
  EXPECT_EQ(form->Document().DocPath, system.program_folder + "\\untitled");
  EXPECT_FALSE(window.Menu("Menu_FileSave").Enabled());
  EXPECT_FALSE(form->Document().IsDirty);
  EXPECT_TRUE(List("List_Entire").Items().empty());
  EXPECT_EQ(files.Get(kLoaded), loaded);
}

TEST_F(FailedCommandTest, ClosingAfterAFailedCloseStillCloses) {
  AddWaypoint("D", "4", "4");
  files.ThrowOn(Op::CreateNew, kLoaded + ".saving", OutOfMemory());
  messages.ScriptAnswer(Answer::Yes);
  window.UserClose();
  EXPECT_FALSE(window.Destroyed());
  EXPECT_EQ(LastMessage().text, "The command could not be completed: not enough memory.");
  messages.ScriptAnswer(Answer::No);
  window.UserClose();
  EXPECT_TRUE(window.Destroyed()) << "the failed close did not leave the window unclosable";
}

}  // namespace
}  // namespace tarvik::app
