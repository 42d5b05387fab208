#include "transit/RouteEditorTexts.h"

namespace tarvik::transit {

namespace {

using platform::WindowHandle;

// Where the texts stand among each window's children, counted from 1.
constexpr int kCameraXAt = 1;
constexpr int kCameraTileXAt = 7;
constexpr int kObjectXAt = 7;
constexpr int kPlacementXAt = 11;

// Walks one window's children in sibling order. Once the chain has ended,
// every further child is missing and reads as empty, without a message sent.
class ChildWalk {
 public:
  ChildWalk(platform::WindowSystem& windows, WindowHandle parent)
      : windows_(windows), at_(windows.FirstChild(parent)) {}

  // From child n to child n + steps.
  ChildWalk& Step(int steps = 1) {
    for (int i = 0; i < steps && at_ != 0; ++i) at_ = windows_.NextSibling(at_);
    return *this;
  }
  std::string Read() { return at_ != 0 ? windows_.GetText(at_) : std::string(); }

 private:
  platform::WindowSystem& windows_;
  WindowHandle at_;
};

void ReadThree(ChildWalk& walk, std::string& x, std::string& y, std::string& z) {
  x = walk.Read();
  y = walk.Step().Read();
  z = walk.Step().Read();
}

void ReadCamera(platform::WindowSystem& windows, WindowHandle camera, RouteEditorTexts& texts) {
  ChildWalk walk(windows, camera);
  walk.Step(kCameraXAt - 1);
  ReadThree(walk, texts.CameraX, texts.CameraY, texts.CameraZ);
  texts.CameraTileX = walk.Step(kCameraTileXAt - (kCameraXAt + 2)).Read();
  texts.CameraTileZ = walk.Step().Read();
}

void ReadObject(platform::WindowSystem& windows, WindowHandle object, RouteEditorTexts& texts) {
  ChildWalk walk(windows, object);
  walk.Step(kObjectXAt - 1);
  ReadThree(walk, texts.ObjectX, texts.ObjectY, texts.ObjectZ);
}

void ReadPlacement(platform::WindowSystem& windows, WindowHandle placement,
                   RouteEditorTexts& texts) {
  ChildWalk walk(windows, placement);
  walk.Step(kPlacementXAt - 1);
  ReadThree(walk, texts.PlacementX, texts.PlacementY, texts.PlacementZ);
}

}  // namespace

void ReadRouteEditorWindows(target::Module1& finder, RouteEditorTexts& texts) {
  finder.FindRouteEditorWindows();
  platform::WindowSystem& windows = finder.Windows();
  if (finder.CameraWnd != 0) ReadCamera(windows, finder.CameraWnd, texts);
  if (finder.ObjectWnd != 0) ReadObject(windows, finder.ObjectWnd, texts);
  if (finder.PlacementWnd != 0) ReadPlacement(windows, finder.PlacementWnd, texts);
}

}  // namespace tarvik::transit
