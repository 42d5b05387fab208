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
  // Shows the RE Transit window (loading it first if needed) and starts its
  // measuring ten times a second.
  virtual void ShowTransitWindow() = 0;
  // Hides the RE Transit window and stops its measuring; a window never
  // opened is loaded hidden.
  virtual void HideTransitWindow() = 0;
};

}  // namespace tarvik::app
