#pragma once

#include <vector>

#include "platform/ControlDesign.h"

namespace tarvik::app {

// The main window's controls and menus with their creation values, before
// any layout mode moves them; twips relative to the client area.
const std::vector<platform::ControlDesign>& MainWindowControls();
const std::vector<platform::MenuDesign>& MainWindowMenus();

}  // namespace tarvik::app
