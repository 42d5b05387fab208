#include <gtest/gtest.h>

#include <functional>
#include <new>
#include <stdexcept>

#include "tests/native/MainWindowFixture.h"
#include "waypoints/MarkerFile.h"

namespace tarvik::app {
namespace {

using platform::Answer;
using Op = platform::memory::MemoryFiles::Operation;

const std::string kLoaded = "C:\\Routes\\loaded.mkr";
const std::string kOther = "C:\\Routes\\other.mkr";
const std::string kTable = "C:\\Routes\\table.csv";
const std::string kExported = "C:\\Routes\\out.gpx";

class FailedCommandTest : public MainWindowTest {
 protected:
  FailedCommandTest() {
    Load();
    expect_command_failure = true;
    files.Put(kLoaded, waypoints::EncodeMarkerFile({"A\t1\t1\t2", "B\t2\t2\t2"}));
    files.Put(kOther, waypoints::EncodeMarkerFile({"Z\t9\t9\t2"}));
    const std::string table = "name,lat,lon\nC,3,3\n";
    files.Put(kTable, platform::Bytes(table.begin(), table.end()));
    Open(kLoaded);
    List("List_Entire").UserSelect(1);
  }
  void Open(const std::string& path) { Choose("Menu_FileOpen", path); }
  void Choose(const char* menu, const std::string& path) {
    dialogs.ScriptChoice(path);
    window.Menu(menu).Choose();
  }
  // Everything a failed command must leave as it found it, in one text.
  std::string Document() {
    std::string text = window.Caption() + "|" + form->Document().DocPath + "|" +
                       std::to_string(form->Document().IsDirty) +
                       std::to_string(window.Menu("Menu_FileSave").Enabled()) + "|" +
                       form->CurrentRow() + "|" + form->LastRow() + "|";
    for (const char* box : {"Text_Waypoint", "Text_Latitude", "Text_Longitude"}) {
      text += Control(box).Caption() + "|";
    }
    for (const char* list : {"List_Entire", "List_Recent"}) {
      for (const auto& row : List(list).Items()) text += row + "/";
    }
    return text;
  }
  const std::string& LastText() const { return LastMessage().text; }
};

std::exception_ptr OutOfMemory() { return std::make_exception_ptr(std::bad_alloc()); }

TEST_F(FailedCommandTest, ACommandThatThrowsLeavesTheDocumentAsItWasSaysWhyAndTheProgramGoesOn) {
  struct Failure {
    const char* command;
    std::function<void()> arrange;
    std::function<void()> run;
    const char* why;
  };
  const Failure failures[] = {
      {"Open of a file too much to hold",
       [this] { files.ThrowOn(Op::ReadAll, kOther, OutOfMemory()); },
       [this] { Open(kOther); }, "not enough memory."},
      {"Save",
       [this] {
         AddWaypoint("D", "4", "4");
         files.ThrowOn(Op::CreateNew, kLoaded + ".saving", OutOfMemory());
       },
       [this] { window.Menu("Menu_FileSave").Choose(); }, "not enough memory."},
      {"Import of a file too much to hold",
       [this] { files.ThrowOn(Op::ReadAll, kTable, OutOfMemory()); },
       [this] { Choose("Menu_FileImport", kTable); }, "not enough memory."},
      {"Import, failing once its rows are in the list",
       [this] {
         messages.while_shown = [](const ScriptedMessageBoxes::Shown& shown) {
           if (shown.title == "Import") throw std::bad_alloc();
         };
       },
       [this] { Choose("Menu_FileImport", kTable); }, "not enough memory."},
      {"Export", [this] { files.ThrowOn(Op::CreateNew, kExported + ".saving", OutOfMemory()); },
       [this] { Choose("Menu_FileExport", kExported); }, "not enough memory."},
      {"Add, failing in the jump of the recent list's handler that runs inside it",
       [this] {
         Control("Text_Waypoint").Type(" New ");
         Control("Text_Latitude").Type("5");
         Control("Text_Longitude").Type("5");
         system.during_do_events = [] { throw std::runtime_error("jump failed"); };
       },
       [this] { Control("Command_New").Click(); }, "jump failed"},
  };
  for (const auto& failure : failures) {
    SCOPED_TRACE(failure.command);
    Open(kLoaded);
    List("List_Entire").UserSelect(1);
    failure.arrange();
    const std::string before = Document();
    const size_t shown = messages.History().size();

    failure.run();

    EXPECT_EQ(Document(), before);
    EXPECT_EQ(LastText(), std::string("The command could not be completed: ") + failure.why);
    EXPECT_EQ(LastMessage().title, "Tarvik");
    EXPECT_EQ(LastMessage().kind, ScriptedMessageBoxes::Kind::Warning);
    int warnings = 0;
    for (size_t i = shown; i < messages.History().size(); ++i) {
      warnings += messages.History()[i].text.starts_with("The command could not");
    }
    EXPECT_EQ(warnings, 1) << "also for a handler inside the command";

    // The program goes on: without the fault the same command works.
    system.during_do_events = nullptr;
    messages.while_shown = nullptr;
    for (auto op : {Op::ReadAll, Op::CreateNew}) {
      for (const auto& path : {kOther, kLoaded + ".saving", kTable, kExported + ".saving"}) {
        files.FailOn(op, path, {});
      }
    }
    form->Document().IsDirty = false;
    Open(kOther);
    EXPECT_EQ(List("List_Entire").Items(), std::vector<std::string>{"Z\t9\t9\t2"});
  }
}

TEST_F(FailedCommandTest, AFailureAfterTheListWasReplacedPutsTheRowsAndTheDocumentBack) {
  const std::string empty = "C:\\Routes\\empty.mkr";
  files.Put(empty, waypoints::EncodeMarkerFile({}));
  messages.while_shown = [](const ScriptedMessageBoxes::Shown& shown) {
    if (shown.text.ends_with("has no waypoints.")) throw std::bad_alloc();
  };
  const std::string before = Document();
  Open(empty);
  EXPECT_EQ(LastText(), "The command could not be completed: not enough memory.");
  EXPECT_EQ(Document(), before);
}

TEST_F(FailedCommandTest, ACloseThatFailedCanBeRepeated) {
  AddWaypoint("D", "4", "4");
  files.ThrowOn(Op::CreateNew, kLoaded + ".saving", OutOfMemory());
  messages.ScriptAnswer(Answer::Yes);
  window.UserClose();
  EXPECT_FALSE(window.Destroyed());
  messages.ScriptAnswer(Answer::No);
  window.UserClose();
  EXPECT_TRUE(window.Destroyed());
}

}  // namespace
}  // namespace tarvik::app
