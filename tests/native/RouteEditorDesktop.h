#pragma once

#include <array>
#include <string>

#include "platform/memory/FakeDesktop.h"
#include "tests/native/TargetDesktop.h"

namespace tarvik::testing {

// The Route Editor's main window and the three tool windows the Transit
// window reads, with flat children so that a child's place among the
// descendants is its place among the children.
struct RouteEditor {
  WindowHandle main = 0;
  CameraWindow camera{};
  WindowHandle object = 0;
  std::array<WindowHandle, 3> object_xyz{};
  WindowHandle placement = 0;
  std::array<WindowHandle, 3> placement_xyz{};
};

// Object window: its "x:" label is the 3rd child, x, y and z the 7th to 9th.
inline WindowHandle AddObjectWindow(FakeDesktop& desktop, std::array<WindowHandle, 3>& xyz) {
  WindowHandle window = desktop.AddTopLevel("ToolWindow", "Object");
  desktop.AddChild(window, "Static", "Selected:");
  desktop.AddChild(window, "Edit", "House01");
  desktop.AddChild(window, "Static", "x:");
  desktop.AddChild(window, "Static", "y:");
  desktop.AddChild(window, "Static", "z:");
  desktop.AddChild(window, "Button", "Reset");
  xyz[0] = desktop.AddChild(window, "Edit", "100.000");
  xyz[1] = desktop.AddChild(window, "Edit", "50.000");
  xyz[2] = desktop.AddChild(window, "Edit", "200.000");
  return window;
}

// Placement window: "x:" is the 5th child, x, y and z the 11th to 13th.
inline WindowHandle AddPlacementWindow(FakeDesktop& desktop, std::array<WindowHandle, 3>& xyz) {
  WindowHandle window = desktop.AddTopLevel("ToolWindow", "Placement");
  for (const char* filler : {"Snap", "Grid", "Angle", "Height"}) {
    desktop.AddChild(window, "Static", filler);
  }
  desktop.AddChild(window, "Static", "x:");
  for (const char* button : {"Place", "Rotate", "Undo", "Redo", "Delete"}) {
    desktop.AddChild(window, "Button", button);
  }
  xyz[0] = desktop.AddChild(window, "Edit", "110.000");
  xyz[1] = desktop.AddChild(window, "Edit", "50.000");
  xyz[2] = desktop.AddChild(window, "Edit", "210.000");
  return window;
}

inline RouteEditor AddRouteEditor(FakeDesktop& desktop) {
  RouteEditor editor;
  editor.main = desktop.AddTopLevel("TrainSim", "Route Editor");
  editor.camera = AddCamera(desktop);
  editor.object = AddObjectWindow(desktop, editor.object_xyz);
  editor.placement = AddPlacementWindow(desktop, editor.placement_xyz);
  return editor;
}

inline void SetTexts(FakeDesktop& desktop, const std::array<WindowHandle, 3>& xyz,
                     const std::string& x, const std::string& y, const std::string& z) {
  desktop.SetText(xyz[0], x);
  desktop.SetText(xyz[1], y);
  desktop.SetText(xyz[2], z);
}

}  // namespace tarvik::testing
