#pragma once

namespace tarvik::bench {

// In a running tarvik.exe beside the Route Editor stand-in: waits for the
// main window, presses its Transit button, and checks that the Transit
// window shows, fills its boxes and follows a change of the placement.
// Prints what it saw; nonzero when any step failed.
int OpenTarvikTransit(int timeout_ms);

}  // namespace tarvik::bench
