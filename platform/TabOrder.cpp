#include "platform/TabOrder.h"

#include <algorithm>
#include <numeric>
#include <vector>

namespace tarvik::platform {

std::optional<std::size_t> NextTabStop(std::span<const TabStop> controls,
                                       std::optional<std::size_t> from, bool backwards) {
  std::vector<std::size_t> order(controls.size());
  std::iota(order.begin(), order.end(), std::size_t{0});
  std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
    return controls[a].tab_index < controls[b].tab_index;
  });
  if (backwards) std::reverse(order.begin(), order.end());

  const std::size_t count = order.size();
  // Where the walk starts: just after the focused control, or at the
  // beginning when nothing of ours has the focus.
  std::size_t start = 0;
  if (from && *from < count) {
    auto at = std::find(order.begin(), order.end(), *from);
    start = static_cast<std::size_t>(at - order.begin()) + 1;
  }
  for (std::size_t step = 0; step < count; ++step) {
    std::size_t candidate = order[(start + step) % count];
    if (controls[candidate].takes_focus) return candidate;
  }
  return std::nullopt;
}

}  // namespace tarvik::platform
