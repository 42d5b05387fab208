#pragma once

#include <windows.h>

#include <filesystem>
#include <string>
#include <vector>

namespace tarvik::e2e {

struct DropReport {
  bool finished = false;  // the target took the drop and said it was done
  std::wstring log;       // what the dropper did, for failure reports
};

// Drops files on whatever window lies at a point of the screen the way a
// Linux file manager drops them on a program under Wine: through the X
// server's drag-and-drop protocol (XDND), which Wine turns into the
// WM_DROPFILES of a window that accepts files. The dropper is a small X
// client (xdnd_drop.py) that this Wine process starts as a Unix program.
DropReport DropFilesAt(POINT screen_point, const std::vector<std::filesystem::path>& files);

}  // namespace tarvik::e2e
