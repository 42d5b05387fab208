#pragma once

namespace tarvik::app {

// The program's windows other than the main one, as the main window's logic
// sees them.
class ProgramWindows {
 public:
  virtual ~ProgramWindows() = default;

  // Shows the About box without blocking; while one is open it comes
  // forward instead of a second one opening.
  virtual void ShowAbout() = 0;
  // Closes every open window except the main one; each runs its own unload.
  virtual void UnloadOtherForms() = 0;
  // Hides the RE Transit window, if it exists, and stops its measuring.
  virtual void HideTransitWindow() = 0;
};

}  // namespace tarvik::app
