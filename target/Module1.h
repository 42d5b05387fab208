#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/WindowSystem.h"

namespace tarvik::target {

using platform::WindowHandle;

// Finds the target programs' windows. The handles are shared by every
// window of the program and refilled by each search; nothing is kept from
// one command to the next.
class Module1 {
 public:
  explicit Module1(platform::WindowSystem& windows) : windows_(windows) {}
  Module1(const Module1&) = delete;
  Module1& operator=(const Module1&) = delete;

  // The Route Editor: its main window by class, its tool windows by the
  // position of their "x:" label among one top-level window's descendants.
  void FindRouteEditorWindows();
  bool TopWindowVisitor(WindowHandle window);
  bool ChildWindowVisitor(WindowHandle window);

  // 1 when a direct child of `parent` matched; the last match written in
  // the search order is left in `found`.
  int FindWindowByPattern(WindowHandle& found, WindowHandle parent, std::string_view title_pattern,
                          std::string_view class_pattern);
  void FindMosaicControls();
  // Restores a minimised window, or else brings it to the foreground.
  void ActivateWindow(WindowHandle window);

  platform::WindowSystem& Windows() { return windows_; }

  WindowHandle TrainSimWnd = 0;
  WindowHandle CameraWnd = 0;
  WindowHandle ObjectWnd = 0;
  WindowHandle PlacementWnd = 0;
  WindowHandle SpinnerParentWnd = 0;
  WindowHandle MosaicField0 = 0;
  WindowHandle MosaicLatField = 0;
  WindowHandle MosaicLonField = 0;
  WindowHandle MosaicGoControl = 0;

  std::int32_t FoundCount = 0;
  std::int32_t ChildIndex = 0;
  bool KeepEnumerating = true;
  std::int16_t SearchDepth = 0;

 private:
  // The texts the finder compares, cut as a 255-character buffer cuts them.
  std::string ClassOf(WindowHandle window);
  std::string TitleOf(WindowHandle window);

  static constexpr std::int32_t kAllFound = 5;
  platform::WindowSystem& windows_;
};

}  // namespace tarvik::target
