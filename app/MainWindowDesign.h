#pragma once

#include <vector>

#include "platform/ControlSpec.h"

namespace tarvik::app {

// The main window's controls and menus with their creation values, before
// any layout mode moves them; twips relative to the client area.
const std::vector<platform::ControlSpec>& MainWindowControls();
const std::vector<platform::MenuSpec>& MainWindowMenus();

}  // namespace tarvik::app
