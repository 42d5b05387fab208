#pragma once

#include <string>

#include "platform/memory/FakeDesktop.h"

namespace tarvik::testing {

using platform::WindowHandle;
using platform::memory::FakeDesktop;

// Route Editor tool windows shaped as the finder expects them.
struct CameraWindow {
  WindowHandle window, x, y, z, longitude, fifth, latitude, tile_x, tile_z, button, label;
};

// Flat children, so a child's place among the descendants is its place
// among the children: Edits 1-6 (x, y, z, longitude, -, latitude), tile X
// and Z, the button, and the "x:" label as the 11th window.
inline CameraWindow AddCamera(FakeDesktop& desktop, const std::string& longitude = "-1.5",
                              const std::string& latitude = "2.5") {
  CameraWindow c{};
  c.window = desktop.AddTopLevel("ToolWindow", "Camera");
  c.x = desktop.AddChild(c.window, "Edit", "100.000");
  c.y = desktop.AddChild(c.window, "Edit", "20.000");
  c.z = desktop.AddChild(c.window, "Edit", "-300.000");
  c.longitude = desktop.AddChild(c.window, "Edit", longitude);
  c.fifth = desktop.AddChild(c.window, "Edit", "");
  c.latitude = desktop.AddChild(c.window, "Edit", latitude);
  c.tile_x = desktop.AddChild(c.window, "Static", "-5000");
  c.tile_z = desktop.AddChild(c.window, "Static", "14000");
  c.button = desktop.AddChild(c.window, "Button", "Go");
  desktop.AddChild(c.window, "Static", "y:");
  c.label = desktop.AddChild(c.window, "Static", "x:");
  return c;
}

// A top-level window whose `position`-th descendant is a "Static" labelled
// `label`, behind fillers.
inline WindowHandle AddLabelledWindow(FakeDesktop& desktop, int position,
                                      const std::string& label = "x:",
                                      const std::string& class_name = "Static") {
  WindowHandle window = desktop.AddTopLevel("ToolWindow");
  for (int i = 1; i < position; ++i) desktop.AddChild(window, "Static", "f");
  desktop.AddChild(window, class_name, label);
  return window;
}

struct MosaicWindow {
  WindowHandle main, bar, pane, k0, k1, latitude, k2, k3, longitude, k4;
};

inline MosaicWindow AddMosaic(FakeDesktop& desktop, const std::string& title = "Mosaic - Route") {
  MosaicWindow m{};
  m.main = desktop.AddTopLevel("MosaicFrame", title);
  WindowHandle view = desktop.AddChild(m.main, "AfxFrameOrView70s");
  desktop.AddChild(view, "Static", "map");
  m.bar = desktop.AddChild(m.main, "AfxControlBar70s");
  m.pane = desktop.AddChild(m.bar, "AfxWnd70s");
  m.k0 = desktop.AddChild(m.pane, "Static", "Position");
  m.k1 = desktop.AddChild(m.pane, "AfxWnd70s");
  m.latitude = desktop.AddChild(m.k1, "Edit", "48.50718 deg");
  m.k2 = desktop.AddChild(m.pane, "Static");
  m.k3 = desktop.AddChild(m.pane, "AfxWnd70s");
  m.longitude = desktop.AddChild(m.k3, "Edit", "-111.86247 deg");
  m.k4 = desktop.AddChild(m.pane, "Button", "Go");
  return m;
}

}  // namespace tarvik::testing
