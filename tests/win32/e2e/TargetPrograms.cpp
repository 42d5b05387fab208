#include "TargetPrograms.h"

#include <fstream>

#include "MessageBoxReader.h"
#include "WindowSearch.h"

namespace tarvik::e2e {

namespace {

// A stand-in comes up in well under a second; tarvik.exe's splash alone
// takes two.
constexpr milliseconds kStandinLimit{10000};
constexpr milliseconds kTargetShowsLimit{2000};

}  // namespace

std::filesystem::path TargetProgramTest::RefusalLog() const {
  return folder_.Path() / L"standin-refusals.log";
}

void TargetProgramTest::LaunchBeside(const StandinProgram& program, std::wstring_view arguments) {
  const std::wstring log_switch = L"\"--log=" + RefusalLog().wstring() + L"\" ";
  standin_ = Standin::Start(program, log_switch + std::wstring(arguments));
  ASSERT_TRUE(standin_.has_value()) << "cannot start the stand-in, error " << GetLastError();
  ASSERT_NO_FATAL_FAILURE(Launch());
  standin_main_ = standin_->WaitForMain(kStandinLimit);
  ASSERT_NE(standin_main_, nullptr) << "the stand-in shows no main window";
}

void TargetProgramTest::TearDown() {
  std::ifstream log(RefusalLog());
  for (std::string line; std::getline(log, line);) ADD_FAILURE() << "the stand-in " << line;
  WaypointWindowTest::TearDown();
}

void TargetProgramTest::ChooseTarget(const std::wstring& name) {
  HWND combo = Control("Combo_WhichApp");
  int index = -1;
  for (int i = 0; i < Ask(combo, CB_GETCOUNT).value_or(0) && index < 0; ++i) {
    if (ComboItem(combo, i) == name) index = i;
  }
  ASSERT_GE(index, 0) << "no target named " << name;
  ASSERT_EQ(Ask(combo, CB_SETCURSEL, static_cast<WPARAM>(index)), index);
  ASSERT_TRUE(Notify(combo, CBN_SELCHANGE, kWindowLimit)) << MessageBoxesUp();
}

int TargetProgramTest::RowIndex(std::string_view list, const TypedWaypoint& waypoint) const {
  auto rows = Rows(list);
  if (!rows) return -1;
  for (size_t i = 0; i < rows->size(); ++i) {
    if ((*rows)[i] == RowOf(waypoint)) return static_cast<int>(i);
  }
  return -1;
}

void TargetProgramTest::StartSelect(std::string_view list, const TypedWaypoint& waypoint) {
  int index = RowIndex(list, waypoint);
  ASSERT_GE(index, 0) << "no row " << RowOf(waypoint) << " in " << list;
  ASSERT_EQ(Ask(Control(list), LB_SETCURSEL, static_cast<WPARAM>(index)), index);
  ASSERT_TRUE(PostNotify(Control(list), LBN_SELCHANGE));
}

void TargetProgramTest::Select(std::string_view list, const TypedWaypoint& waypoint) {
  int index = RowIndex(list, waypoint);
  ASSERT_GE(index, 0) << "no row " << RowOf(waypoint) << " in " << list;
  ASSERT_EQ(Ask(Control(list), LB_SETCURSEL, static_cast<WPARAM>(index)), index);
  bool ended = Notify(Control(list), LBN_SELCHANGE, kJumpLimit);
  ASSERT_NO_FATAL_FAILURE(ExpectNoMessageBox());
  ASSERT_TRUE(ended) << "the jump to " << waypoint.name << " did not end";
}

void TargetProgramTest::Grab() {
  bool ended = AskWithin(kJumpLimit, Control("Command_Grab"), BM_CLICK).has_value();
  ASSERT_NO_FATAL_FAILURE(ExpectNoMessageBox());
  ASSERT_TRUE(ended) << "Grab did not end";
}

void TargetProgramTest::StartGrab() {
  ASSERT_TRUE(PostMessageW(Control("Command_Grab"), BM_CLICK, 0, 0));
}

void TargetProgramTest::ExpectPleaseOpen(const std::wstring& text) { ExpectWarning(text); }

milliseconds TargetProgramTest::AnsweringWithABoxUp(Clock::time_point start) const {
  // An answer without a box came before the command started, or between
  // two of its steps: ask again.
  while (Since(start) < kCommandEndLimit) {
    const bool answered = AskWithin(kCommandEndLimit - Since(start), main_, WM_NULL).has_value();
    if (answered && VisibleTopWindowOf(process_->Id(), L"#32770")) return Since(start);
    Sleep(1);
  }
  return kCommandEndLimit;
}

void TargetProgramTest::ExpectWarning(const std::wstring& text) {
  HWND box = WaitForMessageBox(process_->Id(), kWindowLimit);
  ASSERT_NE(box, nullptr) << "no message " << text;
  EXPECT_EQ(StoredTextOf(box), L"Tarvik");
  EXPECT_EQ(MessageTextOf(box), text);
  EXPECT_EQ(VisibleButtonsOf(box), std::vector<std::wstring>{L"OK"});
  EXPECT_TRUE(HasIcon(box));
  ASSERT_TRUE(Click(ButtonOf(box, L"OK")));
  ASSERT_TRUE(WaitUntilGoneOrHidden(box, kWindowLimit)) << "OK left the message up";
}

void TargetProgramTest::ExpectCommandEnded() {
  // The command's last message box is gone: the program answers again only
  // when the command has ended, or from the modal loop of another box.
  ASSERT_TRUE(AskWithin(kJumpLimit, main_, WM_NULL).has_value()) << "the command did not end";
  ASSERT_NO_FATAL_FAILURE(ExpectNoMessageBox());
}

void TargetProgramTest::TypeAtCaret(std::string_view box, const std::wstring& text) {
  // As the user may undo it.
  const WPARAM can_undo = TRUE;
  ASSERT_TRUE(
      Ask(Control(box), EM_REPLACESEL, can_undo, reinterpret_cast<LPARAM>(text.c_str())).has_value())
      << box;
}

std::optional<std::wstring> TargetProgramTest::TextSoon(HWND window,
                                                        const std::wstring& expected) const {
  std::optional<std::wstring> text;
  WaitUntil([&] { return (text = TextOf(window)) == expected; }, kTargetShowsLimit);
  return text;
}

}  // namespace tarvik::e2e
