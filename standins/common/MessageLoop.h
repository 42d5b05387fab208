#pragma once

#include <windows.h>

#include "standins/common/StartOptions.h"

namespace tarvik::standins {

// Which keys the loop hands to the dialog manager first.
enum class DialogKeys {
  // Tab, Shift+Tab and Enter move between the fields of the active window.
  kBetweenFields,
  // Everything reaches the window: Alt+letter opens its menus.
  kNone,
};

// Runs until WM_QUIT and returns its exit code.
int RunMessageLoop(DialogKeys keys);

// With --hang-after-start: lets the windows paint, then keeps the thread
// away from its messages, for good or for the given time.
void HangIfAsked(const StartOptions& options);

}  // namespace tarvik::standins
