#include "app/UndoableList.h"

#include <gtest/gtest.h>

#include <random>

#include "platform/memory/MemoryControls.h"

namespace tarvik::app {
namespace {

// Rows of one run of changes, small and large, so that both the list box's
// row-by-row path and its refill, and the store's in-place and rebuilding
// paths, are taken.
std::vector<std::string> SomeRows(std::mt19937& random, int count) {
  std::vector<std::string> rows;
  for (int i = 0; i < count; ++i) {
    rows.push_back("r" + std::to_string(random() % 5000) + "\t1\t1\t2");
  }
  return rows;
}

TEST(UndoableList, AnyRunOfChangesIsTakenBackWholeAndTheStoreAlwaysMatchesTheListBox) {
  std::mt19937 random(31);
  for (int run = 0; run < 200; ++run) {
    SCOPED_TRACE("run " + std::to_string(run));
    platform::memory::MemoryList box(platform::ControlDesign{});
    UndoableList list(box);
    list.InsertInOrder(SomeRows(random, static_cast<int>(random() % 1500)));
    list.AddItem("noted before the command");
    list.BeginCommand();
    const std::vector<std::string> before = box.Items();
    for (int edits = 1 + static_cast<int>(random() % 6); edits > 0; --edits) {
      const auto count = static_cast<unsigned>(list.Count());
      switch (random() % 5) {
        case 0:
          if (count > 0) list.RemoveItem(static_cast<int>(random() % count));
          break;
        case 1:
          list.InsertInOrder(SomeRows(random, static_cast<int>(random() % 200)));
          break;
        case 2: {
          const auto rows = SomeRows(random, static_cast<int>(random() % 3));
          const std::vector<std::string_view> views(rows.begin(), rows.end());
          list.SetItems(views);
          break;
        }
        default:  // -1 or past the end appends
          list.AddItem("new", static_cast<int>(random() % (count + 3)) - 1);
      }
      ASSERT_EQ(platform::AllItems(list), box.Items());
    }
    list.TakeBackCommand();
    EXPECT_EQ(box.Items(), before);
    EXPECT_EQ(platform::AllItems(list), before);
  }
}

}  // namespace
}  // namespace tarvik::app
