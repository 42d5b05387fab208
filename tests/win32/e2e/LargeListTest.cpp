#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <random>
#include <string>
#include <vector>

#include "ControlReader.h"
#include "Keys.h"
#include "MarkerFiles.h"
#include "MessageBoxReader.h"
#include "RealInput.h"
#include "WaypointWindow.h"
#include "WindowSearch.h"

namespace tarvik::e2e {
namespace {

constexpr int kRows = 100000;
// Opening this many rows takes about half a second; a loaded machine may
// take several times that.
constexpr milliseconds kLargeListLimit{15000};
// A jump with its warnings, twice with a pause between on the first jump.
constexpr milliseconds kJumpLimit{10000};

// Yards numbered 0 to 99,999, even ones in lower case and odd ones in upper:
// in the list's order (letter case ignored) they stand by number, where an
// order by character code would put every upper-case name first.
TypedWaypoint Yard(int number) {
  wchar_t digits[8];
  std::swprintf(digits, 8, L"%06d", number);
  wchar_t latitude[16];
  std::swprintf(latitude, 16, L"%.4f", 40 + number * 0.0001);
  return {std::wstring(number % 2 ? L"Yard " : L"yard ") + digits, latitude, L"-113.25"};
}

class LargeList : public WaypointWindowTest {
 protected:
  // A jump with no target program running asks for it to be opened, twice
  // on the first Route Editor jump of a run; the user clicks OK. Done once
  // a warning has been answered and the program answers again with none
  // up. The program also answers while the jump begins, before its first
  // warning, and not at all in the 200 ms before the second.
  void AnswerJumpWarningsUntil(const std::function<bool()>& done) {
    std::wstring unexpected;
    int answered = 0;
    const auto start = Clock::now();
    bool finished = WaitUntil(
        [&] {
          if (HWND box = VisibleTopWindowOf(process_->Id(), L"#32770")) {
            std::wstring text = MessageTextOf(box);
            if (!text.starts_with(L"Please Open ")) {
              unexpected = text;
            } else if (Click(ButtonOf(box, L"OK"))) {
              WaitUntilGoneOrHidden(box, kWindowLimit);
              ++answered;
            }
            return !unexpected.empty();
          }
          return answered > 0 && done() && Ask(main_, WM_NULL).has_value() &&
                 !VisibleTopWindowOf(process_->Id(), L"#32770");
        },
        kJumpLimit);
    ASSERT_TRUE(unexpected.empty()) << "unexpected message: " << unexpected;
    ASSERT_TRUE(finished) << "the selection's jump did not finish in " << Since(start).count()
                          << " ms, with " << answered << " warnings answered: the name box holds "
                          << TextOf(Control("Text_Waypoint")).value_or(L"(no answer)")
                          << ", the list's selection is "
                          << Ask(Control("List_Entire"), LB_GETCURSEL).value_or(-2)
                          << MessageBoxesUp();
  }
};

TEST_F(LargeList, AHundredThousandRowsOpenInOrderAndEndJumpsToTheLast) {
  std::vector<TypedWaypoint> yards;
  for (int i = 0; i < kRows; ++i) yards.push_back(Yard(i));
  // In no order at all in the file.
  std::shuffle(yards.begin(), yards.end(), std::mt19937(5));
  const std::filesystem::path file = folder_.Path() / L"yards.mkr";
  ASSERT_TRUE(WriteFileBytes(file, MarkerFileBytes(yards)));

  ASSERT_NO_FATAL_FAILURE(Launch());
  ASSERT_NO_FATAL_FAILURE(OpenThroughDialog(file));
  HWND list = Control("List_Entire");
  ASSERT_EQ(AskWithin(kLargeListLimit, list, LB_GETCOUNT), kRows);
  EXPECT_EQ(ListItem(list, 0), RowOf(Yard(0)));
  EXPECT_EQ(ListItem(list, 1), RowOf(Yard(1)));
  EXPECT_EQ(ListItem(list, kRows - 1), RowOf(Yard(kRows - 1)));

  // Into the list with Tab, which selects nothing, then End, as a user
  // would. In a list with nothing selected the first key selects the row
  // that has the focus, the first; the jump's warnings take the keyboard
  // focus, so the user tabs back into the list for the next End.
  const TypedWaypoint first = Yard(0);
  const TypedWaypoint last = Yard(kRows - 1);
  for (const TypedWaypoint* expected : {&first, &last}) {
    ASSERT_TRUE(BringToForeground(main_, kWindowLimit));
    ASSERT_TRUE(TabInto(main_, list, kWindowLimit)) << "Tab never reached the list";
    ASSERT_TRUE(PressKey(VK_END));
    ASSERT_NO_FATAL_FAILURE(AnswerJumpWarningsUntil(
        [&] { return TextOf(Control("Text_Waypoint")) == expected->name; }));
  }
  EXPECT_EQ(Ask(list, LB_GETCURSEL), kRows - 1);
  EXPECT_EQ(EntryTexts(), (std::vector<std::optional<std::wstring>>{last.name, last.latitude,
                                                                     last.longitude}));
  EXPECT_EQ(Rows("List_Recent"), (std::vector<std::wstring>{RowOf(first), RowOf(last)}));
}

}  // namespace
}  // namespace tarvik::e2e
