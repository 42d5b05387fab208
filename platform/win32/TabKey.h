#pragma once

#include <windows.h>

#include <memory>
#include <span>

#include "platform/win32/Win32Controls.h"

namespace tarvik::platform::win32 {

// Tab and Shift+Tab among a window's controls in their designed tab order.
// The dialog manager would follow the stacking order instead, which puts
// the roll bars first. True when the message was such a key and was taken.
bool MoveFocusOnTabKey(const MSG& message, std::span<const std::unique_ptr<ChildWindow>> controls);

}  // namespace tarvik::platform::win32
