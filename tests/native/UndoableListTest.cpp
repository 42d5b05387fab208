#include "app/UndoableList.h"

#include <gtest/gtest.h>

#include <random>

#include "platform/memory/MemoryControls.h"

namespace tarvik::app {
namespace {

TEST(UndoableList, AnyRunOfInsertsAndRemovalsIsTakenBackWhole) {
  std::mt19937 random(31);
  for (int run = 0; run < 300; ++run) {
    platform::memory::MemoryList box(platform::ControlDesign{});
    const std::vector<std::string_view> rows = {"a", "b", "c", "d"};
    box.SetItems(rows);
    UndoableList list(box);
    list.AddItem("noted before Forget");
    list.Forget();
    const std::vector<std::string> before = box.Items();
    for (int edits = 1 + static_cast<int>(random() % 6); edits > 0; --edits) {
      const auto count = static_cast<unsigned>(list.Count());
      if (count > 0 && random() % 2) list.RemoveItem(static_cast<int>(random() % count));
      else list.AddItem("new", static_cast<int>(random() % (count + 3)) - 1);  // -1 or past the end append
    }
    ASSERT_TRUE(list.Undo()) << "run " << run;
    EXPECT_EQ(box.Items(), before) << "run " << run;
  }
}

}  // namespace
}  // namespace tarvik::app
