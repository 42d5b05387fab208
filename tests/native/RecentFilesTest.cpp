#include <gtest/gtest.h>

#include "tests/native/MainWindowFixture.h"
#include "waypoints/MarkerFile.h"

namespace tarvik::app {
namespace {

class RecentFilesTest : public MainWindowTest {
 protected:
  void Open(const std::string& path) {
    if (!files.Exists(path)) files.Put(path, waypoints::EncodeMarkerFile({"A\t1\t1\t2"}));
    dialogs.ScriptChoice(path);
    window.Menu("Menu_FileOpen").Choose();
  }
  std::vector<std::string> Recent() {
    std::vector<std::string> paths;
    for (int i = 0; i <= form->MRULastIndex(); ++i) {
      paths.push_back(window.Menu("Menu_FileRecent_" + std::to_string(i)).Caption());
    }
    return paths;
  }
};

TEST_F(RecentFilesTest, NoSettingsNoEntriesAndNothingWritten) {
  Load();
  EXPECT_EQ(form->MRULastIndex(), -1);
  EXPECT_FALSE(window.Menu("Menu_FileRecent_0").Visible());
  window.UserClose();
  EXPECT_FALSE(store.Has("MRUFiles", "0"));
}

TEST_F(RecentFilesTest, FiveFilesLeaveTheLastFourNewestOnTop) {
  Load();
  for (const char* path : {"C:\\1.mkr", "C:\\2.mkr", "C:\\3.mkr", "C:\\4.mkr", "C:\\5.mkr"}) Open(path);
  EXPECT_EQ(Recent(), (std::vector<std::string>{"C:\\5.mkr", "C:\\4.mkr", "C:\\3.mkr", "C:\\2.mkr"}));
  EXPECT_EQ(window.MenuChildren("Menu_File").size(), 12u) << "four entries, never a fifth";
}

TEST_F(RecentFilesTest, ReopeningMovesToTopInTheNewLetterCase) {
  Load();
  Open("c:\\routes\\PASS.MKR");
  Open("C:\\other.mkr");
  Open("C:\\third.mkr");
  Open("C:\\Routes\\Pass.mkr");
  EXPECT_EQ(Recent(), (std::vector<std::string>{"C:\\Routes\\Pass.mkr", "C:\\third.mkr",
                                                "C:\\other.mkr"}));
  // Clicking the top entry re-reads it and keeps the order.
  window.Menu("Menu_FileRecent_0").Choose();
  EXPECT_EQ(Recent().front(), "C:\\Routes\\Pass.mkr");
  EXPECT_EQ(Recent().size(), 3u);
}

TEST_F(RecentFilesTest, TheClickedFileOpensAlsoWhenSavingFirstMovesTheEntriesDown) {
  Load();
  Open("C:\\clicked.mkr");
  window.Menu("Menu_FileNew").Choose();
  AddWaypoint("Unsaved", "1", "1");
  messages.ScriptAnswer(platform::Answer::Yes);
  dialogs.ScriptChoice("C:\\saved first.mkr");
  window.Menu("Menu_FileRecent_0").Choose();
  EXPECT_EQ(messages.History().back().text, "Update untitled?");
  EXPECT_EQ(window.Caption(), "clicked.mkr");
  EXPECT_EQ(Recent(), (std::vector<std::string>{"C:\\clicked.mkr", "C:\\saved first.mkr"}));
}

TEST_F(RecentFilesTest, AMissingFileKeepsItsPlace) {
  Load();
  Open("C:\\a.mkr");
  Open("C:\\b.mkr");
  files.Delete("C:\\a.mkr");
  window.Menu("Menu_FileRecent_1").Choose();
  EXPECT_EQ(messages.History().back().text, "C:\\a.mkr\rNot Found or is not Unicode format.");
  EXPECT_EQ(Recent(), (std::vector<std::string>{"C:\\b.mkr", "C:\\a.mkr"}));
}

TEST_F(RecentFilesTest, EntriesSurviveARestartInOrder) {
  store.Put("MRUFiles", "0", "C:\\new.mkr");
  store.Put("MRUFiles", "1", "C:\\A&B.mkr");
  store.Put("MRUFiles", "2", "c:\\NEW.MKR");
  Load();
  EXPECT_EQ(Recent(), (std::vector<std::string>{"C:\\new.mkr", "C:\\A&B.mkr"}))
      << "duplicates collapse, the lowest key wins";
  EXPECT_TRUE(window.Menu("Menu_FileRecent_1").Layout().literal) << "& shows as itself";
  window.UserClose();
  EXPECT_EQ(store.Read("MRUFiles", "0"), "C:\\new.mkr");
  EXPECT_EQ(store.Read("MRUFiles", "1"), "C:\\A&B.mkr");
  EXPECT_EQ(store.Read("MRUFiles", "2"), "c:\\NEW.MKR") << "keys are never deleted";
}

TEST_F(RecentFilesTest, AGapInTheKeysEndsTheList) {
  store.Put("MRUFiles", "0", "C:\\zero.mkr");
  store.Put("MRUFiles", "2", "C:\\two.mkr");
  Load();
  EXPECT_EQ(Recent(), std::vector<std::string>{"C:\\zero.mkr"});
}

TEST_F(RecentFilesTest, ClosingWhileMinimizedStillWritesThem) {
  Load();
  Open("C:\\a.mkr");
  window.SetMinimized(true);
  window.UserClose();
  EXPECT_EQ(store.Writes(), std::vector<std::string>{"MRUFiles/0=C:\\a.mkr"});
}

}  // namespace
}  // namespace tarvik::app
