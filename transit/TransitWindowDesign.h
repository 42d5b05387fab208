#pragma once

#include <vector>

#include "platform/ControlDesign.h"

namespace tarvik::transit {

// The RE Transit window's controls with their creation values; twips
// relative to the client area, or to the frame named as parent. The two
// option groups are Option_WRT_0/1 and Option_Units_0/1.
const std::vector<platform::ControlDesign>& TransitWindowControls();

}  // namespace tarvik::transit
