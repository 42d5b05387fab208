#pragma once

#include "platform/ControlDesign.h"
#include "platform/win32/Handles.h"

namespace tarvik::platform::win32 {

// The 8 by 7 pixel arrows of the roll bars, drawn in the button text colour
// on a transparent ground and scaled whole-pixel for the window's DPI.
UniqueHicon MakeGlyphIcon(Glyph glyph, int dpi);

}  // namespace tarvik::platform::win32
