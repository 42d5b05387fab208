#pragma once

#include "bench/TransitPlan.h"

namespace tarvik::bench {

// Reads the Linux CPU times of tarvik.exe and of wineserver at the start
// and the end of the interval and prints each as a percentage of one core.
// Checks first that each pid names the process it should. Works only under
// Wine, which lets a Windows program read /proc.
int MeasureCpuShare(const TransitOptions& options);

}  // namespace tarvik::bench
