#pragma once

#include <vector>

#include "platform/FormWindow.h"
#include "platform/Twips.h"

namespace tarvik::app {

// A stored window position that lies wholly outside every monitor (a
// monitor unplugged since the last run, say) would open the window out of
// reach: such a window moves onto the nearest monitor's work area. A window
// at least partly on a monitor stays exactly where it was stored.
platform::TwipsRect KeepOnScreen(const platform::TwipsRect& window,
                                 const std::vector<platform::TwipsRect>& work_areas);

// Moves the window as KeepOnScreen says, over the monitors it reports.
void KeepOnScreen(platform::FormWindow& window);

}  // namespace tarvik::app
