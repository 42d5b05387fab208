#include <windows.h>

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "ControlReader.h"
#include "MessageBoxReader.h"
#include "WaypointWindow.h"
#include "WindowSearch.h"

namespace tarvik::e2e {
namespace {

using Texts = std::vector<std::optional<std::wstring>>;

class WaypointEntry : public WaypointWindowTest {};

TEST_F(WaypointEntry, AddRefusesAnInvalidLatitudeAndFillsBothListsWithWhatWasTyped) {
  ASSERT_NO_FATAL_FAILURE(Launch());

  // Beyond the pole: refused before anything is added.
  ASSERT_NO_FATAL_FAILURE(Type({kSummit.name, L"90.5", kSummit.longitude}));
  ASSERT_TRUE(PostMessageW(Control("Command_New"), BM_CLICK, 0, 0));
  HWND box = WaitForMessageBox(process_->Id(), kWindowLimit);
  ASSERT_NE(box, nullptr) << "no warning";
  EXPECT_EQ(StoredTextOf(box), L"Add Waypoint");
  EXPECT_EQ(MessageTextOf(box), L"Invalid Latitude.");
  EXPECT_EQ(VisibleButtonsOf(box), std::vector<std::wstring>{L"OK"});
  EXPECT_TRUE(HasIcon(box));
  ASSERT_TRUE(Click(ButtonOf(box, L"OK")));
  ASSERT_TRUE(WaitUntilGoneOrHidden(box, kWindowLimit));
  EXPECT_EQ(Rows("List_Entire"), std::vector<std::wstring>{});
  EXPECT_EQ(Rows("List_Recent"), std::vector<std::wstring>{});
  EXPECT_EQ(EntryTexts(), (Texts{kSummit.name, L"90.5", kSummit.longitude}))
      << "the boxes keep what was typed";

  ASSERT_NO_FATAL_FAILURE(Add(kSummit));
  // Spaces around the texts go; the texts are otherwise kept as typed.
  ASSERT_NO_FATAL_FAILURE(Add({L"  " + kEastPortal.name + L" ", L" " + kEastPortal.latitude,
                               kEastPortal.longitude + L"  "}));
  ASSERT_NO_FATAL_FAILURE(Add(kBelton));

  EXPECT_EQ(Rows("List_Entire"), RowsOf(kThreeSorted)) << "sorted, letter case ignored";
  EXPECT_EQ(Rows("List_Recent"), RowsOf(kThreeInArrivalOrder)) << "in arrival order";
  EXPECT_EQ(EntryTexts(), (Texts{L"", L"", L""}));
  EXPECT_EQ(Caption(), L"untitled");
}

}  // namespace
}  // namespace tarvik::e2e
