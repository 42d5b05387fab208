#include "transit/RouteEditorTexts.h"

#include <utility>

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
  ChildWalk(platform::WindowSystem& windows, target::TargetSession& session, WindowHandle parent)
      : windows_(windows), session_(session), at_(windows.FirstChild(parent)) {}

  // From child n to child n + steps.
  ChildWalk& Step(int steps = 1) {
    for (int i = 0; i < steps && at_ != 0; ++i) at_ = windows_.NextSibling(at_);
    return *this;
  }
  // Into `field`, unless the Route Editor leaves it unanswered.
  void Read(std::string& field) {
    if (at_ == 0) {
      field.clear();
    } else if (auto text = session_.GetText(at_)) {
      field = std::move(*text);
    }
  }

 private:
  platform::WindowSystem& windows_;
  target::TargetSession& session_;
  WindowHandle at_;
};

void ReadThree(ChildWalk& walk, std::string& x, std::string& y, std::string& z) {
  walk.Read(x);
  walk.Step().Read(y);
  walk.Step().Read(z);
}

void ReadCamera(ChildWalk walk, RouteEditorTexts& texts) {
  walk.Step(kCameraXAt - 1);
  ReadThree(walk, texts.CameraX, texts.CameraY, texts.CameraZ);
  walk.Step(kCameraTileXAt - (kCameraXAt + 2)).Read(texts.CameraTileX);
  walk.Step().Read(texts.CameraTileZ);
}

void ReadObject(ChildWalk walk, RouteEditorTexts& texts) {
  walk.Step(kObjectXAt - 1);
  ReadThree(walk, texts.ObjectX, texts.ObjectY, texts.ObjectZ);
}

void ReadPlacement(ChildWalk walk, RouteEditorTexts& texts) {
  walk.Step(kPlacementXAt - 1);
  ReadThree(walk, texts.PlacementX, texts.PlacementY, texts.PlacementZ);
}

}  // namespace

void ReadFoundWindows(target::Module1& finder, target::TargetSession& session,
                      RouteEditorTexts& texts) {
  platform::WindowSystem& windows = finder.Windows();
  // Once the Route Editor is silent every further read is skipped and
  // leaves its field alone.
  if (finder.CameraWnd != 0) ReadCamera(ChildWalk(windows, session, finder.CameraWnd), texts);
  if (finder.ObjectWnd != 0) ReadObject(ChildWalk(windows, session, finder.ObjectWnd), texts);
  if (finder.PlacementWnd != 0) {
    ReadPlacement(ChildWalk(windows, session, finder.PlacementWnd), texts);
  }
}

void ReadRouteEditorWindows(target::Module1& finder, target::TargetSession& session,
                            RouteEditorTexts& texts) {
  finder.FindRouteEditorWindows();
  ReadFoundWindows(finder, session, texts);
}

}  // namespace tarvik::transit
