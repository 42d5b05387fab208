#include "WaypointWindow.h"

#include "FileDialog.h"
#include "MessageBoxReader.h"
#include "WindowSearch.h"

namespace tarvik::e2e {

namespace {

// Wine builds its first file dialog of a process in about 0.3 s.
constexpr milliseconds kDialogLimit{5000};

constexpr const char* kEntryBoxes[] = {"Text_Waypoint", "Text_Latitude", "Text_Longitude"};
const std::vector<std::optional<std::wstring>> kEmptyEntry(std::size(kEntryBoxes), L"");

}  // namespace

std::wstring WaypointWindowTest::Caption() const { return StoredTextOf(main_); }

std::optional<std::vector<std::wstring>> WaypointWindowTest::Rows(std::string_view list) const {
  return ListRows(Control(list));
}

std::vector<std::optional<std::wstring>> WaypointWindowTest::EntryTexts() const {
  std::vector<std::optional<std::wstring>> texts;
  for (const char* box : kEntryBoxes) texts.push_back(TextOf(Control(box)));
  return texts;
}

void WaypointWindowTest::Type(const TypedWaypoint& waypoint) {
  const std::wstring* texts[] = {&waypoint.name, &waypoint.latitude, &waypoint.longitude};
  for (size_t i = 0; i < std::size(kEntryBoxes); ++i) {
    ASSERT_TRUE(SetText(Control(kEntryBoxes[i]), *texts[i])) << kEntryBoxes[i];
  }
}

void WaypointWindowTest::Add(const TypedWaypoint& waypoint) {
  ASSERT_NO_FATAL_FAILURE(Type(waypoint));
  ASSERT_NO_FATAL_FAILURE(PressAdd(waypoint.name));
}

void WaypointWindowTest::PressAdd(const std::wstring& what) {
  ASSERT_TRUE(PostMessageW(Control("Command_New"), BM_CLICK, 0, 0));
  // Add jumps to the new waypoint. With no target program running, the jump
  // asks for it to be opened, twice on the first Route Editor jump of a
  // run; the user clicks OK. Add ends by emptying the entry boxes.
  std::wstring unexpected;
  bool finished = WaitUntil(
      [&] {
        if (HWND box = VisibleTopWindowOf(process_->Id(), L"#32770")) {
          std::wstring text = MessageTextOf(box);
          if (!text.starts_with(L"Please Open ")) unexpected = text;
          else if (Click(ButtonOf(box, L"OK"))) WaitUntilGoneOrHidden(box, kWindowLimit);
          return !unexpected.empty();
        }
        return EntryTexts() == kEmptyEntry;
      },
      kWindowLimit);
  ASSERT_TRUE(unexpected.empty()) << "Add of " << what << " warned: " << unexpected;
  ASSERT_TRUE(finished) << "Add of " << what << " did not finish";
}

void WaypointWindowTest::RunMenuCommand(std::string_view menu) {
  ASSERT_TRUE(Ask(main_, WM_COMMAND, MAKEWPARAM(MainMenuId(menu), 0)).has_value())
      << menu << " did not return" << MessageBoxesUp();
  ASSERT_NO_FATAL_FAILURE(ExpectNoMessageBox());
}

void WaypointWindowTest::ChooseTopRecentFile(const std::filesystem::path& expected) {
  // Entry 0 is in the menu table; later entries are made as files come.
  ASSERT_TRUE(PostMenuCommand(main_, MainMenuId("Menu_FileRecent_0")));
  ASSERT_NO_FATAL_FAILURE(WaitUntilDocumentIs(expected));
}

void WaypointWindowTest::SaveAsThroughDialog(const std::filesystem::path& path) {
  ChooseFileThroughDialog("Menu_FileSaveAs", L"Save As", path);
}

void WaypointWindowTest::OpenThroughDialog(const std::filesystem::path& path) {
  ChooseFileThroughDialog("Menu_FileOpen", L"Open", path);
}

void WaypointWindowTest::ChooseFileThroughDialog(std::string_view menu, const std::wstring& title,
                                                 const std::filesystem::path& path) {
  ASSERT_TRUE(PostMenuCommand(main_, MainMenuId(menu)));
  HWND dialog = WaitForFileDialog(process_->Id(), kDialogLimit);
  ASSERT_NE(dialog, nullptr) << "no file dialog after " << menu << MessageBoxesUp();
  EXPECT_EQ(StoredTextOf(dialog), title);
  ASSERT_TRUE(EnterFileName(dialog, path.wstring())) << "cannot enter the name in " << menu;
  ASSERT_TRUE(WaitUntilGoneOrHidden(dialog, kWindowLimit))
      << "the " << menu << " dialog stayed open" << MessageBoxesUp();
  ASSERT_NO_FATAL_FAILURE(WaitUntilDocumentIs(path));
}

void WaypointWindowTest::WaitUntilDocumentIs(const std::filesystem::path& path) {
  // The caption changes after the file is written or read, and the
  // command's last steps need no further message; an answer afterwards
  // means the command has finished or is showing a message box.
  const std::wstring name = path.filename().wstring();
  bool named = WaitUntil([&] { return Caption() == name; }, kWindowLimit);
  ASSERT_TRUE(Ask(main_, WM_NULL).has_value()) << "the main window does not answer";
  ASSERT_TRUE(named) << "caption " << Caption() << ", not " << name << MessageBoxesUp();
  ASSERT_NO_FATAL_FAILURE(ExpectNoMessageBox());
}

void WaypointWindowTest::ExpectNoMessageBox() {
  for (HWND box : TopWindowsOf(process_->Id(), L"#32770")) {
    if (!IsWindowVisible(box)) continue;
    ADD_FAILURE() << "unexpected message: " << MessageTextOf(box);
    PostMessageW(box, WM_COMMAND, IDNO, 0);
    PostMessageW(box, WM_COMMAND, IDOK, 0);
    WaitUntilGoneOrHidden(box, kWindowLimit);
  }
}

std::wstring WaypointWindowTest::MessageBoxesUp() const {
  std::wstring texts;
  for (HWND box : TopWindowsOf(process_->Id(), L"#32770")) {
    if (IsWindowVisible(box)) texts += L"; message box: " + MessageTextOf(box);
  }
  return texts;
}

void WaypointWindowTest::CloseExpectingNoQuestion() {
  ASSERT_TRUE(PostMessageW(main_, WM_CLOSE, 0, 0));
  HWND box = nullptr;
  WaitUntil(
      [&] {
        box = VisibleTopWindowOf(process_->Id(), L"#32770");
        return box || !process_->Running();
      },
      kExitLimit);
  if (box) {
    ADD_FAILURE() << "closing asked: " << MessageTextOf(box);
    PostMessageW(box, WM_COMMAND, IDNO, 0);
  }
  std::optional<DWORD> code = process_->WaitForExit(kExitLimit);
  ASSERT_TRUE(code.has_value()) << "still running " << kExitLimit.count() << " ms after closing";
  EXPECT_EQ(*code, 0u);
}

std::filesystem::path BackupOf(const std::filesystem::path& path) {
  return std::filesystem::path(path).replace_extension(L".bak");
}

bool SetReadOnly(const std::filesystem::path& path, bool read_only) {
  DWORD attributes = GetFileAttributesW(path.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) return false;
  attributes = read_only ? attributes | FILE_ATTRIBUTE_READONLY
                         : attributes & ~static_cast<DWORD>(FILE_ATTRIBUTE_READONLY);
  return SetFileAttributesW(path.c_str(), attributes) != FALSE;
}

}  // namespace tarvik::e2e
