#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "ControlReader.h"
#include "MessageBoxReader.h"
#include "ThirdWindow.h"
#include "WaypointWindow.h"
#include "WindowSearch.h"
#include "XdndDrop.h"

namespace tarvik::e2e {
namespace {

using std::filesystem::path;

class DroppedFile : public WaypointWindowTest {
 protected:
  // The middle of the entire list, where a user lets go of a file.
  POINT DropPoint() const {
    RECT list{};
    GetWindowRect(Control("List_Entire"), &list);
    return {(list.left + list.right) / 2, (list.top + list.bottom) / 2};
  }
};

TEST_F(DroppedFile, OpensTheFirstFileAfterTheUpdateQuestionWhenTheListChanged) {
  // Spaces and a letter outside ASCII, which the drop carries percent-encoded.
  const path dropped = folder_.Path() / L"Summit \u00dcber.mkr";
  const path second = folder_.Path() / L"second.mkr";
  ASSERT_TRUE(WriteFileBytes(dropped, MarkerFileBytes(kThreeSorted)));
  ASSERT_TRUE(WriteFileBytes(second, MarkerFileBytes({kGlacier})));
  ASSERT_NO_FATAL_FAILURE(Launch());
  ASSERT_NO_FATAL_FAILURE(Add(kGlacier));
  // Files are dropped from another program, which is the active one then.
  ThirdWindow file_manager;
  ASSERT_TRUE(file_manager.ComeForward());

  DropReport drop = DropFilesAt(DropPoint(), {dropped, second});
  ASSERT_TRUE(drop.finished) << "the drop did not go through:\n" << drop.log;

  HWND box = WaitForMessageBox(process_->Id(), kWindowLimit);
  ASSERT_NE(box, nullptr) << "no Update question; caption " << Caption();
  EXPECT_EQ(MessageTextOf(box), L"Update untitled?");
  EXPECT_EQ(StoredTextOf(box), L"Tarvik");
  EXPECT_EQ(VisibleButtonsOf(box), (std::vector<std::wstring>{L"&Yes", L"&No"}));
  EXPECT_FALSE(HasIcon(box));
  EXPECT_EQ(GetWindow(box, GW_OWNER), main_) << "the question must hold the main window";
  EXPECT_FALSE(IsWindowEnabled(main_)) << "the list could be changed under the question";
  EXPECT_EQ(Rows("List_Entire"), RowsOf({kGlacier})) << "the list changed before the answer";

  ASSERT_TRUE(Click(ButtonOf(box, L"&No")));
  ASSERT_TRUE(WaitUntilGoneOrHidden(box, kWindowLimit));
  EXPECT_TRUE(WaitUntil([&] { return Caption() == dropped.filename().wstring(); }, kWindowLimit))
      << "caption " << Caption() << MessageBoxesUp();
  ASSERT_NO_FATAL_FAILURE(ExpectNoMessageBox());
  EXPECT_EQ(Rows("List_Entire"), RowsOf(kThreeSorted));
  EXPECT_EQ(Rows("List_Recent"), std::vector<std::wstring>{});

  // Opened as File > Open opens: unchanged now, so closing asks nothing.
  ASSERT_NO_FATAL_FAILURE(CloseExpectingNoQuestion());
}

}  // namespace
}  // namespace tarvik::e2e
