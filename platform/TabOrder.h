#pragma once

#include <cstddef>
#include <optional>
#include <span>

namespace tarvik::platform {

// A control as the Tab key sees it: its place in the designed tab order
// and whether it can take the focus now (a tab stop, shown and enabled).
struct TabStop {
  int tab_index = 0;
  bool takes_focus = false;
};

// The control that Tab (or Shift+Tab when `backwards`) moves the focus to
// from the control at `from`: the next one in tab order that takes the
// focus, wrapping around at either end. Controls with the same tab index
// keep their order in `controls`. From no control (nullopt) Tab goes to the
// first and Shift+Tab to the last. nullopt when no control takes the focus.
//
// The window decides this itself because its stacking order is not its tab
// order: roll bars lie above every other control.
std::optional<std::size_t> NextTabStop(std::span<const TabStop> controls,
                                       std::optional<std::size_t> from, bool backwards);

}  // namespace tarvik::platform
