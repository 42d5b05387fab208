#include "app/UndoableList.h"

#include <gtest/gtest.h>

#include <random>

#include "platform/memory/MemoryControls.h"

namespace tarvik::app {
namespace {

using platform::memory::MemoryList;

const std::vector<std::string> kRows = {"a", "b", "c", "d"};

TEST(UndoableList, AnyRunOfInsertsAndRemovalsIsTakenBackWhole) {
  std::mt19937 random(31);
  for (int run = 0; run < 300; ++run) {
    MemoryList rows_box(platform::ControlDesign{});
    rows_box.SetItems(kRows);
    UndoableList list(rows_box);
    list.AddItem("noted before Forget");
    list.Forget();
    const std::vector<std::string> before = rows_box.Items();
    int edits = 1 + static_cast<int>(random() % 6);
    for (int e = 0; e < edits; ++e) {
      int count = list.Count();
      if (count > 0 && random() % 2) {
        list.RemoveItem(static_cast<int>(random() % static_cast<unsigned>(count)));
      } else {
        // -1 and past the end both append.
        int at = static_cast<int>(random() % static_cast<unsigned>(count + 3)) - 1;
        list.AddItem("new " + std::to_string(e), at);
      }
    }
    ASSERT_TRUE(list.Undo()) << "run " << run;
    EXPECT_EQ(rows_box.Items(), before) << "run " << run;
  }
}

TEST(UndoableList, RowsReplacedWholeCannotBeTakenBackAndSaySo) {
  for (bool clear : {true, false}) {
    MemoryList rows_box(platform::ControlDesign{});
    rows_box.SetItems(kRows);
    UndoableList list(rows_box);
    list.Forget();
    list.RemoveItem(0);
    if (clear) list.Clear();
    else list.SetItems({"x"});
    list.AddItem("y");
    EXPECT_FALSE(list.Undo());
    list.Forget();
    list.AddItem("z", 0);
    EXPECT_TRUE(list.Undo()) << "a new command starts afresh";
  }
}

}  // namespace
}  // namespace tarvik::app
