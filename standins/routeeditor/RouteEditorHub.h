#pragma once

#include <string>

namespace tarvik::standins::routeeditor {

// What a tool window tells the program around it: one of its positions
// changed, so the main window's summary is out of date; or it refused what
// it was sent, which the program shows and logs.
class RouteEditorHub {
 public:
  virtual void ToolChanged() = 0;
  virtual void Refuse(const std::wstring& what) = 0;

 protected:
  ~RouteEditorHub() = default;
};

}  // namespace tarvik::standins::routeeditor
