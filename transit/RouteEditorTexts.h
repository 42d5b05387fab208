#pragma once

#include <string>

#include "target/Module1.h"
#include "target/TargetSession.h"

namespace tarvik::transit {

// The position texts last read from the Route Editor's Camera, Object and
// Placement windows, exactly as the controls held them. One record serves
// the whole run: a window that is not found leaves its fields alone, so they
// keep the texts of the last pass that found it.
struct RouteEditorTexts {
  std::string CameraX;
  std::string CameraY;
  std::string CameraZ;
  std::string CameraTileX;
  std::string CameraTileZ;
  std::string ObjectX;
  std::string ObjectY;
  std::string ObjectZ;
  std::string PlacementX;
  std::string PlacementY;
  std::string PlacementZ;
};

// The texts of the three windows the finder's last scan found, read by
// their place among the window's children: Camera 1-3 and 7-8, Object 7-9,
// Placement 11-13. A child that does not exist reads as the empty text.
// Reading ends at the first text the Route Editor leaves unanswered, which
// keeps its old text; the session then says so.
void ReadFoundWindows(target::Module1& finder, target::TargetSession& session,
                      RouteEditorTexts& texts);

// One scan of the window finder, then ReadFoundWindows. Which windows were
// found is in the finder's CameraWnd, ObjectWnd and PlacementWnd.
void ReadRouteEditorWindows(target::Module1& finder, target::TargetSession& session,
                            RouteEditorTexts& texts);

}  // namespace tarvik::transit
