#pragma once

namespace tarvik::standins::routeeditor {

// What a tool window tells the program around it: one of its positions
// changed, so the main window's summary is out of date.
class RouteEditorHub {
 public:
  virtual void ToolChanged() = 0;

 protected:
  ~RouteEditorHub() = default;
};

}  // namespace tarvik::standins::routeeditor
