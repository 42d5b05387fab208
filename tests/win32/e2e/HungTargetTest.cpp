#include <windows.h>

#include <gtest/gtest.h>

#include <ostream>
#include <optional>
#include <string>
#include <vector>

#include "ControlReader.h"
#include "TargetPrograms.h"
#include "ThirdWindow.h"

namespace tarvik::e2e {
namespace {

using Texts = std::vector<std::optional<std::wstring>>;

// Every jump and grab against a target that has stopped answering gives
// control back within this, with its warning up.
constexpr milliseconds kGiveBackLimit{1500};
constexpr milliseconds kCountsAsHungLimit{6000};
constexpr milliseconds kAnswerLimit{500};

struct HungCase {
  StandinProgram program;
  const wchar_t* target;
  const wchar_t* program_name;
};

// Names the case in test names and failure reports.
void PrintTo(const HungCase& hung, std::ostream* out) {
  for (wchar_t c : hung.program.exe) *out << static_cast<char>(c);
}

class HungTargetTest : public TargetProgramTest {
 protected:
  void LaunchBesideHung(const StandinProgram& program) {
    ASSERT_NO_FATAL_FAILURE(LaunchBeside(program, kHangAfterStart));
    ASSERT_FALSE(AskWithin(kAnswerLimit, standin_main_, WM_NULL).has_value())
        << "the stand-in still answers";
  }
  // Presses a button of the main window; returns how long until control
  // came back with a message box up.
  milliseconds Press(std::string_view button) {
    return UntilWarned([&] { return PostMessageW(Control(button), BM_CLICK, 0, 0) != FALSE; });
  }
  // Picks a waypoint in the entire list; the same for its jump.
  milliseconds Pick(const TypedWaypoint& waypoint) {
    return UntilWarned([&] { return StartPick(waypoint); });
  }
  void ExpectNotResponding(const std::wstring& program) {
    ASSERT_NO_FATAL_FAILURE(ExpectWarning(program + L" is not responding."));
    ASSERT_NO_FATAL_FAILURE(ExpectCommandEnded()) << "one warning per command";
  }
  void ExpectAnswering() {
    const auto start = Clock::now();
    EXPECT_TRUE(AskWithin(kAnswerLimit, main_, WM_NULL).has_value());
    EXPECT_LT(Since(start).count(), kAnswerLimit.count()) << "ms to answer";
  }

 private:
  bool StartPick(const TypedWaypoint& waypoint) {
    auto rows = Rows("List_Entire");
    if (!rows) return false;
    for (size_t i = 0; i < rows->size(); ++i) {
      if ((*rows)[i] != RowOf(waypoint)) continue;
      Ask(Control("List_Entire"), LB_SETCURSEL, i);
      return PostNotify(Control("List_Entire"), LBN_SELCHANGE);
    }
    return false;
  }
};

class HungTarget : public HungTargetTest, public testing::WithParamInterface<HungCase> {};

TEST_P(HungTarget, JumpAndGrabGiveControlBackWithinASecondAndAHalfAndSayItIsNotResponding) {
  const HungCase& hung = GetParam();
  ASSERT_NO_FATAL_FAILURE(LaunchBesideHung(hung.program));
  ASSERT_NO_FATAL_FAILURE(ChooseTarget(hung.target));

  // Add jumps to the new waypoint: for the Route Editor the first jump of
  // the run, which is otherwise made twice.
  ASSERT_NO_FATAL_FAILURE(Type(kFalls));
  EXPECT_LE(Press("Command_New").count(), kGiveBackLimit.count()) << "ms for Add and its jump";
  ASSERT_NO_FATAL_FAILURE(ExpectNotResponding(hung.program_name));
  ExpectAnswering();
  EXPECT_EQ(Rows("List_Entire"), RowsOf({kFalls}));
  EXPECT_EQ(Rows("List_Recent"), RowsOf({kFalls}));

  // Once the system counts it as hung, it is not asked at all.
  auto counts_as_hung = [&] { return IsHungAppWindow(standin_main_) != FALSE; };
  ASSERT_TRUE(WaitUntil(counts_as_hung, kCountsAsHungLimit));
  const Texts entry = EntryTexts();
  EXPECT_LE(Press("Command_Grab").count(), kGiveBackLimit.count()) << "ms for Grab";
  ASSERT_NO_FATAL_FAILURE(ExpectNotResponding(hung.program_name));
  EXPECT_EQ(EntryTexts(), entry) << "a target that does not answer changes nothing";
  EXPECT_TRUE(Enabled("Command_Grab")) << "and may be grabbed from again";
  EXPECT_LE(Pick(kFalls).count(), kGiveBackLimit.count()) << "ms for a later jump";
  ASSERT_NO_FATAL_FAILURE(ExpectNotResponding(hung.program_name));

  // The window still does what a user asks of it.
  ASSERT_TRUE(SetText(Control("Text_Waypoint"), kSummit.name));
  EXPECT_EQ(TextOf(Control("Text_Waypoint")), kSummit.name);
  ASSERT_NO_FATAL_FAILURE(ChooseTarget(L"USAPhotoMaps"));
  EXPECT_FALSE(Enabled("Command_Grab"));
  EXPECT_FALSE(Enabled("Command_New"));
  ExpectAnswering();
}

INSTANTIATE_TEST_SUITE_P(Standins, HungTarget,
                         testing::Values(HungCase{kRouteEditor, L"MSTS RE", L"Route Editor"},
                                         HungCase{kMosaic, L"Mosaic", L"Mosaic"}),
                         [](const testing::TestParamInfo<HungCase>& info) {
                           const std::wstring_view exe = info.param.program.exe;
                           return std::string(exe.begin(), exe.begin() + exe.find(L'.'));
                         });

// USAPhotoMaps takes keys, and keys go to whichever window has the focus:
// with USAPhotoMaps silent, not one may land in a third program's window
// or in Tarvik's own.
TEST_F(HungTargetTest, AJumpToASilentUSAPhotoMapsTypesNothingAnywhere) {
  ASSERT_NO_FATAL_FAILURE(LaunchBesideHung(kUsaPhotoMaps));
  // Add is not offered with this target, so the waypoint comes first; with
  // no Route Editor open, Add's jump only asks for it.
  ASSERT_NO_FATAL_FAILURE(Add(kFalls));
  ASSERT_NO_FATAL_FAILURE(ChooseTarget(L"USAPhotoMaps"));
  ThirdWindow third;
  ASSERT_TRUE(third.ComeForward());

  EXPECT_LE(Pick(kFalls).count(), kGiveBackLimit.count()) << "ms for the jump";
  ASSERT_NO_FATAL_FAILURE(ExpectNotResponding(L"USAPhotoMaps"));
  EXPECT_EQ(third.Typed(), L"");
  EXPECT_EQ(EntryTexts(), (Texts{kFalls.name, kFalls.latitude, kFalls.longitude}));
  EXPECT_EQ(Rows("List_Recent"), RowsOf({kFalls}));

  // Counted as hung, it is not even brought forward.
  auto counts_as_hung = [&] { return IsHungAppWindow(standin_main_) != FALSE; };
  ASSERT_TRUE(WaitUntil(counts_as_hung, kCountsAsHungLimit));
  ASSERT_TRUE(third.ComeForward());
  EXPECT_LE(Pick(kFalls).count(), kGiveBackLimit.count()) << "ms for the jump";
  ASSERT_NO_FATAL_FAILURE(ExpectNotResponding(L"USAPhotoMaps"));
  EXPECT_EQ(third.Typed(), L"");
  EXPECT_EQ(EntryTexts(), (Texts{kFalls.name, kFalls.latitude, kFalls.longitude}));
  ExpectAnswering();
}

}  // namespace
}  // namespace tarvik::e2e
