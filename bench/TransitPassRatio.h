#pragma once

#include "bench/InProcessTransit.h"

namespace tarvik::bench {

// Times the window's measuring pass against a bare scan of the same
// desktop, `rounds` times each, and prints the medians, their ratio and
// what the window shows. Returns nonzero when the pass found or showed
// nothing, so that a ratio of a pass that did no work is never mistaken
// for a result.
int RunPassRatio(InProcessTransit& transit, int rounds);

// Prints the texts the window shows; false when the distances or the
// latitude are missing or the window shows its message instead.
bool ReportWhatTheWindowShows(const InProcessTransit& transit);

}  // namespace tarvik::bench
