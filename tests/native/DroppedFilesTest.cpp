#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/native/MainWindowFixture.h"
#include "waypoints/MarkerFile.h"

namespace tarvik::app {
namespace {

using platform::Answer;

const std::string kPass = "C:\\Routes\\pass.mkr";
const std::string kYard = "C:\\Routes\\yard.mkr";

class DroppedFilesTest : public MainWindowTest {
 protected:
  DroppedFilesTest() {
    files.Put(kPass, waypoints::EncodeMarkerFile({"b\t1\t1\t2", "A\t2\t2\t2"}));
    files.Put(kYard, waypoints::EncodeMarkerFile({"Yard\t3\t3\t2"}));
    const std::string ansi = "Marker ( 1 2 \"A\" 2 )\r\n";
    files.Put("C:\\ansi.mkr", platform::Bytes(ansi.begin(), ansi.end()));
    Load();
  }

  // What the user sees of the document, and the messages from the one given on.
  std::vector<std::string> SeenSince(size_t first_message) {
    std::vector<std::string> seen{window.Caption(), form->Document().DocPath,
                                  form->Document().IsDirty ? "dirty" : "clean",
                                  window.Menu("Menu_FileSave").Enabled() ? "save" : "no save"};
    for (const auto& row : List("List_Entire").Items()) seen.push_back(row);
    for (int i = 0; i <= form->MRULastIndex(); ++i) {
      seen.push_back(window.Menu("Menu_FileRecent_" + std::to_string(i)).Caption());
    }
    const auto& shown = messages.History();
    for (size_t i = first_message; i < shown.size(); ++i) seen.push_back(shown[i].text);
    return seen;
  }
};

TEST_F(DroppedFilesTest, ADroppedFileEndsAsTheSameFileChosenInFileOpen) {
  const std::string missing = "C:\\none.mkr";
  for (const std::string& path : {kPass, std::string("C:\\ansi.mkr"), missing}) {
    dialogs.ScriptChoice(path);
    window.Menu("Menu_FileNew").Choose();
    size_t first = messages.History().size();
    window.Menu("Menu_FileOpen").Choose();
    const std::vector<std::string> by_menu = SeenSince(first);

    window.Menu("Menu_FileNew").Choose();
    first = messages.History().size();
    ASSERT_TRUE(window.DropFiles({path})) << "the main window takes no drops";
    const std::vector<std::string> by_drop = SeenSince(first);
    EXPECT_EQ(by_drop, by_menu) << path;
  }
  EXPECT_EQ(dialogs.History().size(), 3u) << "a drop shows no dialog";
}

TEST_F(DroppedFilesTest, OfSeveralFilesTheFirstIsOpenedAndNoneIsNothing) {
  ASSERT_TRUE(window.DropFiles({kYard, kPass}));
  EXPECT_EQ(window.Caption(), "yard.mkr");
  ASSERT_TRUE(window.DropFiles({}));
  EXPECT_EQ(window.Caption(), "yard.mkr");
  EXPECT_TRUE(messages.History().empty());
}

TEST_F(DroppedFilesTest, AChangedListAsksTheUpdateQuestionFirst) {
  const platform::Bytes pass_before = *files.Get(kPass);
  window.DropFiles({kPass});
  AddWaypoint("C", "3", "3");
  messages.ScriptAnswer(Answer::No);
  const size_t before = messages.History().size();
  window.DropFiles({kYard});
  ASSERT_EQ(messages.History().size(), before + 1) << "one question, then no message";
  EXPECT_EQ(LastMessage().text, "Update pass.mkr?");
  EXPECT_EQ(window.Caption(), "yard.mkr");
  EXPECT_EQ(files.Get(kPass), pass_before) << "No saves nothing";

  AddWaypoint("D", "4", "4");
  messages.ScriptAnswer(Answer::Yes);
  window.DropFiles({kPass});
  EXPECT_EQ(LastMessage().text, "Update yard.mkr?");
  EXPECT_EQ(files.Get(kYard), waypoints::EncodeMarkerFile({"D\t4\t4\t2", "Yard\t3\t3\t2"}));
  EXPECT_EQ(window.Caption(), "pass.mkr");
}

}  // namespace
}  // namespace tarvik::app
