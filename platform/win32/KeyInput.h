#pragma once

#include <vector>

#include "platform/WindowSystem.h"

namespace tarvik::platform::win32 {

// Types the keystrokes into the foreground window and returns when that
// window has taken every one of them from its queue: true, or false after
// `limit_ms`. Text goes in as Unicode characters, so nothing in it acts as
// a command.
bool TypeAndWait(const std::vector<KeyStroke>& keys, int limit_ms);

}  // namespace tarvik::platform::win32
