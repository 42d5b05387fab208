#include <windows.h>

#include <gtest/gtest.h>

#include <ostream>
#include <optional>
#include <string>
#include <vector>

#include "ControlReader.h"
#include "TargetPrograms.h"

namespace tarvik::e2e {
namespace {

using Texts = std::vector<std::optional<std::wstring>>;

// What a jump to a target that has stopped answering may cost: each message
// gives up after a second until the window counts as hung, five seconds
// after it last took a message, and at once from then on; the jump holds
// the target's button for 200 ms and waits up to a second for the target
// to come forward; the first Route Editor jump of a run is made twice,
// 200 ms apart.
constexpr milliseconds kHungJumpLimit{5000 + 2 * (200 + 1000) + 200};
// Reading a window that counts as hung costs nothing.
constexpr milliseconds kGrabFromHungLimit{500};
constexpr milliseconds kCountsAsHungLimit{6000};
// Long enough to tell a slow command from one that never ends.
constexpr milliseconds kCommandEndLimit{20000};
constexpr milliseconds kAnswerLimit{500};

struct HungCase {
  StandinProgram program;
  const wchar_t* target;
};

// Names the case in test names and failure reports.
void PrintTo(const HungCase& hung, std::ostream* out) {
  for (wchar_t c : hung.program.exe) *out << static_cast<char>(c);
}

class HungTarget : public TargetProgramTest, public testing::WithParamInterface<HungCase> {
 protected:
  // Presses a button of the main window; returns how long its command took.
  milliseconds Timed(std::string_view button) {
    const auto start = Clock::now();
    EXPECT_TRUE(AskWithin(kCommandEndLimit, Control(button), BM_CLICK).has_value())
        << button << " did not end within " << kCommandEndLimit.count() << " ms";
    return Since(start);
  }

  void ExpectAnswering() {
    const auto start = Clock::now();
    EXPECT_TRUE(AskWithin(kAnswerLimit, main_, WM_NULL).has_value());
    EXPECT_LT(Since(start).count(), kAnswerLimit.count()) << "ms to answer";
  }
};

TEST_P(HungTarget, JumpAndGrabGiveUpOnItAndTarvikGoesOn) {
  ASSERT_NO_FATAL_FAILURE(LaunchBeside(GetParam().program, kHangAfterStart));
  ASSERT_NO_FATAL_FAILURE(ChooseTarget(GetParam().target));
  ASSERT_FALSE(AskWithin(kAnswerLimit, standin_main_, WM_NULL).has_value())
      << "the stand-in still answers";

  // Add jumps to the new waypoint.
  ASSERT_NO_FATAL_FAILURE(Type(kFalls));
  EXPECT_LT(Timed("Command_New").count(), kHungJumpLimit.count()) << "ms for Add and its jump";
  ASSERT_NO_FATAL_FAILURE(ExpectNoMessageBox()) << "the windows are there, only silent";
  ExpectAnswering();
  EXPECT_EQ(Rows("List_Entire"), RowsOf({kFalls}));
  EXPECT_EQ(Rows("List_Recent"), RowsOf({kFalls}));

  auto counts_as_hung = [&] { return IsHungAppWindow(standin_main_) != FALSE; };
  ASSERT_TRUE(WaitUntil(counts_as_hung, kCountsAsHungLimit));
  EXPECT_LT(Timed("Command_Grab").count(), kGrabFromHungLimit.count()) << "ms for Grab";
  ASSERT_NO_FATAL_FAILURE(ExpectNoMessageBox());
  ExpectAnswering();
  EXPECT_EQ(EntryTexts(), (Texts{L"WP ", L"", L""}))
      << "a target that does not answer shows nothing";

  // The window still does what a user asks of it.
  ASSERT_TRUE(SetText(Control("Text_Waypoint"), kSummit.name));
  EXPECT_EQ(TextOf(Control("Text_Waypoint")), kSummit.name);
  ASSERT_NO_FATAL_FAILURE(ChooseTarget(L"USAPhotoMaps"));
  EXPECT_FALSE(Enabled("Command_Grab"));
  EXPECT_FALSE(Enabled("Command_New"));
  ExpectAnswering();
}

INSTANTIATE_TEST_SUITE_P(Standins, HungTarget,
                         testing::Values(HungCase{kRouteEditor, L"MSTS RE"},
                                         HungCase{kMosaic, L"Mosaic"}),
                         [](const testing::TestParamInfo<HungCase>& info) {
                           const std::wstring_view exe = info.param.program.exe;
                           return std::string(exe.begin(), exe.begin() + exe.find(L'.'));
                         });

}  // namespace
}  // namespace tarvik::e2e
