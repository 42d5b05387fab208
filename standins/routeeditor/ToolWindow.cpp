#include "standins/routeeditor/ToolWindow.h"

namespace tarvik::standins::routeeditor {

bool HandleToolFrameMessage(HWND window, UINT message, LRESULT& result) {
  switch (message) {
    case WM_CLOSE:
      // Closing hides, as a tool window does; the program ends with its main window.
      ShowWindow(window, SW_HIDE);
      result = 0;
      return true;
    default:
      return false;
  }
}

}  // namespace tarvik::standins::routeeditor
