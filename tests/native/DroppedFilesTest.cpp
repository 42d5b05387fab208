#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "tests/native/MainWindowFixture.h"
#include "waypoints/MarkerFile.h"
#include "waypoints/Utf16.h"

namespace tarvik::app {
namespace {

using platform::Answer;

const std::string kPass = "C:\\Routes\\pass.mkr";
const std::string kYard = "C:\\Routes\\yard.mkr";

platform::Bytes FileOf(const std::vector<std::string>& rows) {
  return waypoints::EncodeMarkerFile(rows);
}

// Everything a user sees of the document, to compare a drop with File > Open.
struct Seen {
  std::string caption;
  std::vector<std::string> rows;
  std::vector<std::string> recent;
  std::vector<std::string> messages;
  bool save_enabled;
  bool dirty;
  std::string doc_path;

  bool operator==(const Seen&) const = default;
};

void PrintTo(const Seen& seen, std::ostream* out) {
  *out << "caption " << seen.caption << ", " << seen.rows.size() << " rows, " << seen.recent.size()
       << " recent, messages:";
  for (const auto& text : seen.messages) *out << " [" << text << "]";
}

platform::memory::MemoryFiles SomeFiles() {
  platform::memory::MemoryFiles files;
  files.Put(kPass, FileOf({"b\t1\t1\t2", "A\t2\t2\t2"}));
  files.Put(kYard, FileOf({"Yard\t3\t3\t2"}));
  files.Put("C:\\empty.mkr", FileOf({}));
  const std::string ansi = "Marker ( 1 2 \"A\" 2 )\r\n";
  files.Put("C:\\ansi.mkr", platform::Bytes(ansi.begin(), ansi.end()));
  platform::Bytes bad = FileOf({"A\t1\t1\t2"});
  waypoints::AppendUtf16Le("Marker ( broken\r\n", bad);
  files.Put("C:\\bad.mkr", bad);
  return files;
}

// One freshly started program on in-memory services.
struct Program {
  explicit Program(platform::memory::MemoryFiles start_files) : files(std::move(start_files)) {
    form.Form_Load();
  }

  Seen Now() {
    Seen seen{window.Caption(), window.GetList("List_Entire").Items(), {}, {},
              window.Menu("Menu_FileSave").Enabled(), form.Document().IsDirty,
              form.Document().DocPath};
    for (int i = 0; i <= form.MRULastIndex(); ++i) {
      seen.recent.push_back(window.Menu("Menu_FileRecent_" + std::to_string(i)).Caption());
    }
    for (const auto& shown : messages.History()) seen.messages.push_back(shown.text);
    return seen;
  }

  MemoryFormWindow window;
  MemorySettingsStore store;
  ScriptedMessageBoxes messages;
  platform::memory::FakeSystem system;
  RecordingWindows windows;
  platform::memory::MemoryFiles files;
  platform::memory::ScriptedFileDialogs dialogs;
  platform::memory::FakeDesktop desktop;
  target::Module1 finder{desktop};
  Form_Tarvik form{window, Services{store, messages, system, windows, files, dialogs, finder}};
};

TEST(DroppedFiles, ADroppedFileEndsAsTheSameFileChosenInFileOpen) {
  for (const std::string& path :
       {kPass, std::string("C:\\empty.mkr"), std::string("C:\\ansi.mkr"),
        std::string("C:\\missing.mkr"), std::string("C:\\bad.mkr")}) {
    Program by_menu(SomeFiles());
    by_menu.dialogs.ScriptChoice(path);
    by_menu.window.Menu("Menu_FileOpen").Choose();

    Program by_drop(SomeFiles());
    ASSERT_TRUE(by_drop.window.DropFiles({path})) << "the main window takes no drops";

    EXPECT_EQ(by_drop.Now(), by_menu.Now()) << path;
    EXPECT_FALSE(by_drop.Now().messages.empty() && by_drop.Now().recent.empty())
        << path << " changed nothing";
    EXPECT_TRUE(by_drop.dialogs.History().empty()) << "a drop shows no dialog";
  }
}

class DroppedFilesTest : public MainWindowTest {
 protected:
  DroppedFilesTest() {
    files = SomeFiles();
    Load();
  }
};

TEST_F(DroppedFilesTest, OfSeveralFilesTheFirstIsOpenedAndNoneIsNothing) {
  ASSERT_TRUE(window.DropFiles({kYard, kPass}));
  EXPECT_EQ(window.Caption(), "yard.mkr");
  EXPECT_EQ(List("List_Entire").Items(), std::vector<std::string>{"Yard\t3\t3\t2"});

  ASSERT_TRUE(window.DropFiles({}));
  EXPECT_EQ(window.Caption(), "yard.mkr");
  EXPECT_TRUE(messages.History().empty());
}

TEST_F(DroppedFilesTest, AChangedListAsksTheUpdateQuestionFirst) {
  const platform::Bytes pass_before = *files.Get(kPass);
  window.DropFiles({kPass});
  AddWaypoint("C", "3", "3");

  // No: the changes go, the dropped file comes.
  messages.ScriptAnswer(Answer::No);
  const size_t before = messages.History().size();
  window.DropFiles({kYard});
  ASSERT_EQ(messages.History().size(), before + 1) << "one question, then no message";
  EXPECT_EQ(LastMessage().text, "Update pass.mkr?");
  EXPECT_EQ(LastMessage().kind, ScriptedMessageBoxes::Kind::Question);
  EXPECT_EQ(window.Caption(), "yard.mkr");
  EXPECT_EQ(files.Get(kPass), pass_before) << "not saved";

  // Yes: the changes are saved, then the dropped file opens.
  AddWaypoint("D", "4", "4");
  messages.ScriptAnswer(Answer::Yes);
  window.DropFiles({kPass});
  EXPECT_EQ(LastMessage().text, "Update yard.mkr?");
  EXPECT_EQ(files.Get(kYard), FileOf({"D\t4\t4\t2", "Yard\t3\t3\t2"}));
  EXPECT_EQ(window.Caption(), "pass.mkr");
  EXPECT_FALSE(form->Document().IsDirty);
}

TEST_F(DroppedFilesTest, AFailedSaveOnUpdateKeepsTheListAndOpensNothing) {
  window.DropFiles({kPass});
  AddWaypoint("C", "3", "3");
  files.MakeReadOnly(kPass);
  messages.ScriptAnswer(Answer::Yes);
  window.DropFiles({kYard});
  EXPECT_EQ(LastMessage().text, kPass + "\rcould not be saved: the file is read-only or in use.");
  EXPECT_EQ(window.Caption(), "pass.mkr");
  EXPECT_EQ(List("List_Entire").Count(), 3);
  EXPECT_TRUE(form->Document().IsDirty);
}

}  // namespace
}  // namespace tarvik::app
