#include "platform/TabOrder.h"

#include <gtest/gtest.h>

#include <optional>
#include <vector>

namespace tarvik::platform {
namespace {

// Listed out of tab order, as a design table may list them: the name box
// (0), a label (13, never a stop), a hidden button (5), a roll bar (14),
// a disabled button (8), the latitude box (1) and a drop-down list (20).
const std::vector<TabStop> kWindow = {
    {0, true}, {13, false}, {5, false}, {14, true}, {8, false}, {1, true}, {20, true}};

struct Move {
  std::optional<std::size_t> from;
  bool backwards;
  std::optional<std::size_t> expected;
};

TEST(TabOrder, TabAndShiftTabFollowTheDesignedOrderSkippingWhatCannotTakeTheFocus) {
  const Move moves[] = {
      {0, false, 5},             // name box → latitude box
      {5, false, 3},             // latitude box → roll bar, past hidden and disabled
      {3, false, 6},             // roll bar → drop-down list
      {6, false, 0},             // the last wraps to the first
      {0, true, 6},              // and back again
      {3, true, 5},              // roll bar ← latitude box
      {2, false, 3},             // from a control that can no longer take it
      {1, true, 5},              // from a label, backwards
      {std::nullopt, false, 0},  // nothing of ours focused: the first
      {std::nullopt, true, 6},   // or the last
  };
  for (const Move& move : moves) {
    EXPECT_EQ(NextTabStop(kWindow, move.from, move.backwards), move.expected)
        << "from " << move.from.value_or(99) << (move.backwards ? " backwards" : "");
  }
}

TEST(TabOrder, EqualIndexesKeepTheirListedOrderAndALoneStopKeepsTheFocus) {
  const std::vector<TabStop> tied = {{2, true}, {1, true}, {2, true}};
  EXPECT_EQ(NextTabStop(tied, 1, false), 0u);
  EXPECT_EQ(NextTabStop(tied, 0, false), 2u);
  EXPECT_EQ(NextTabStop(tied, 2, true), 0u);

  const std::vector<TabStop> lone = {{0, false}, {4, true}};
  EXPECT_EQ(NextTabStop(lone, 1, false), 1u);
  EXPECT_EQ(NextTabStop(lone, 1, true), 1u);
  EXPECT_EQ(NextTabStop(std::vector<TabStop>{{0, false}}, 0, false), std::nullopt);
  EXPECT_EQ(NextTabStop({}, std::nullopt, false), std::nullopt);
}

}  // namespace
}  // namespace tarvik::platform
