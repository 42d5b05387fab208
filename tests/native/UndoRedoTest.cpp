#include <gtest/gtest.h>

#include <random>

#include "tests/native/MainWindowFixture.h"
#include "waypoints/MarkerFile.h"

namespace tarvik::app {
namespace {

using platform::Answer;

const std::string kDocument = "C:\\Routes\\pass.mkr";
const std::string kTable = "C:\\Routes\\table.csv";

class UndoRedoTest : public MainWindowTest {
 protected:
  UndoRedoTest() {
    Load();
    files.Put(kDocument, waypoints::EncodeMarkerFile({"P1\t1\t1\t2", "P2\t2\t2\t2"}));
    dialogs.ScriptChoice(kDocument);
    window.Menu("Menu_FileOpen").Choose();
  }
  std::string Name() { return "P" + std::to_string(random() % 12); }
  std::string Number() { return std::to_string(random() % 3); }
  bool Undoable() const { return window.Menu("Menu_EditUndo").Enabled(); }
  bool Redoable() const { return window.Menu("Menu_EditRedo").Enabled(); }

  std::mt19937 random{7};
};

// The list an editor's user expects: a line of states, Undo and Redo moving
// along it, a new change cutting off what lay ahead; the list is marked
// changed from a change on until a Save, and after Undo or Redo exactly
// when it stands elsewhere than where it was saved.
TEST_F(UndoRedoTest, UndoAllGivesTheFirstListRedoAllTheLastAndTheChangedMarkFollowsTheSave) {
  std::vector<std::vector<std::string>> states{List("List_Entire").Items()};
  std::size_t at = 0;
  std::optional<std::size_t> saved = 0;
  bool changed = false;
  auto off_saved = [&] { return !saved || *saved != at; };
  for (int step = 0; step < 600; ++step) {
    SCOPED_TRACE("step " + std::to_string(step));
    const int action = static_cast<int>(random() % 6);
    std::string label;
    if (action == 0) {
      const std::string name = Name();
      AddWaypoint(name, Number(), Number());
      label = "Add \"" + name + "\"";
    } else if (action == 1) {
      const std::string name = Name();
      Control("Text_Waypoint").Type(name);
      Control("Command_Delete").SetEnabled(true);
      messages.ScriptAnswer(Answer::Yes);
      Control("Command_Delete").Click();
      label = "Delete \"" + name + "\"";
      changed = true;  // asked and answered Yes, whether or not a row matched
    } else if (action == 2) {
      std::string table = "name,lat,lon\n";
      for (int i = static_cast<int>(random() % 40); i > 0; --i) {
        table += Name() + "," + Number() + "," + Number() + "\n";
      }
      files.Put(kTable, platform::Bytes(table.begin(), table.end()));
      dialogs.ScriptChoice(kTable);
      window.Menu("Menu_FileImport").Choose();
    } else if (action == 3) {
      window.Menu("Menu_FileSave").Choose();
      saved = at;
      changed = false;
    } else if (action == 4) {
      EXPECT_EQ(window.Menu("Menu_EditUndo").Choose(), at > 0);
      if (at > 0) {
        --at;
        changed = off_saved();
      }
    } else {
      EXPECT_EQ(window.Menu("Menu_EditRedo").Choose(), at + 1 < states.size());
      if (at + 1 < states.size()) {
        ++at;
        changed = off_saved();
      }
    }
    const std::vector<std::string> now = List("List_Entire").Items();
    if (action <= 2 && now != states[at]) {
      const std::size_t added = now.size() - std::min(now.size(), states[at].size());
      if (action == 2) {
        label = "Import (" + std::to_string(added) + (added == 1 ? " waypoint)" : " waypoints)");
      }
      EXPECT_EQ(window.Menu("Menu_EditUndo").Caption(), "&Undo " + label);
      states.resize(++at);
      states.push_back(now);
      if (saved && *saved >= at) saved.reset();
      changed = true;
    }
    ASSERT_EQ(now, states[at]);
    EXPECT_EQ(form->Document().IsDirty, changed);
    EXPECT_EQ(Undoable(), at > 0);
    EXPECT_EQ(Redoable(), at + 1 < states.size());
  }

  while (Undoable()) window.Menu("Menu_EditUndo").Choose();
  at = 0;
  EXPECT_EQ(List("List_Entire").Items(), states.front());
  EXPECT_EQ(form->Document().IsDirty, off_saved());
  while (Redoable()) window.Menu("Menu_EditRedo").Choose();
  at = states.size() - 1;
  EXPECT_EQ(List("List_Entire").Items(), states.back());
  EXPECT_EQ(form->Document().IsDirty, off_saved());
  EXPECT_GT(states.size(), 50u);
}

}  // namespace
}  // namespace tarvik::app
