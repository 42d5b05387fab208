#pragma once

#include "bench/InProcessTransit.h"

namespace tarvik::bench {

// Runs `passes` measuring passes after a warm-up, letting the window paint
// after each, and prints its USER and GDI objects, private bytes and
// windows at the start, every 5,000 passes and at the end, with a verdict
// on each: did it grow.
int RunSoak(InProcessTransit& transit, int passes);

}  // namespace tarvik::bench
