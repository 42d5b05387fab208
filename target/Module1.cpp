#include "target/Module1.h"

#include "target/PatternMatch.h"

namespace tarvik::target {

namespace {

constexpr std::size_t kLongestText = 254;
constexpr std::int32_t kCameraLabelAt = 11;
constexpr std::int32_t kPlacementLabelAt = 5;
constexpr std::int32_t kObjectLabelAt = 3;
constexpr std::int32_t kSpinnerAt = 31;

// Cuts after `kLongestText` characters, never inside a UTF-8 sequence.
std::string Cut(std::string text) {
  std::size_t characters = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if ((static_cast<unsigned char>(text[i]) & 0xC0) == 0x80) continue;
    if (characters++ == kLongestText) {
      text.resize(i);
      break;
    }
  }
  return text;
}

}  // namespace

std::string Module1::ClassOf(WindowHandle window) { return Cut(windows_.ClassName(window)); }
std::string Module1::TitleOf(WindowHandle window) { return Cut(windows_.Title(window)); }

void Module1::FindRouteEditorWindows() {
  KeepEnumerating = true;
  TrainSimWnd = CameraWnd = PlacementWnd = ObjectWnd = SpinnerParentWnd = 0;
  FoundCount = 0;
  ChildIndex = 0;
  windows_.EnumTopLevel([this](WindowHandle window) { return TopWindowVisitor(window); });
}

bool Module1::TopWindowVisitor(WindowHandle window) {
  if (ClassOf(window) == "TrainSim") {
    TrainSimWnd = window;
    ++FoundCount;
  }
  // Every top-level window's descendants are searched, not only TrainSim's.
  ChildIndex = 0;
  windows_.EnumDescendants(window, [this](WindowHandle child) { return ChildWindowVisitor(child); });
  return KeepEnumerating;
}

bool Module1::ChildWindowVisitor(WindowHandle window) {
  ++ChildIndex;
  // Only a Static's text matters: reading no other text keeps the passes
  // of the Transit window cheap on a crowded desktop.
  const std::string class_name = ClassOf(window);
  if (class_name == "Static" && TitleOf(window) == "x:") {
    WindowHandle* found = ChildIndex == kCameraLabelAt      ? &CameraWnd
                          : ChildIndex == kPlacementLabelAt ? &PlacementWnd
                          : ChildIndex == kObjectLabelAt    ? &ObjectWnd
                                                            : nullptr;
    if (found) {
      *found = windows_.Parent(window);
      ++FoundCount;
    }
  }
  if (class_name == "msctls_updown32" && ChildIndex == kSpinnerAt) {
    SpinnerParentWnd = windows_.Parent(window);
    ++FoundCount;
  }
  // Only a descendant ends the search: a TrainSim window found fifth lets
  // the search run on to the next descendant visited.
  if (FoundCount == kAllFound) KeepEnumerating = false;
  return KeepEnumerating;
}

int Module1::FindWindowByPattern(WindowHandle& found, WindowHandle parent,
                                 std::string_view title_pattern, std::string_view class_pattern) {
  if (SearchDepth == 0 && parent == 0) parent = windows_.Desktop();
  ++SearchDepth;
  int result = 0;
  for (WindowHandle child = windows_.FirstChild(parent); child != 0;
       child = windows_.NextSibling(child)) {
    // The subtree first: an inner match is written before this level's own.
    FindWindowByPattern(found, child, title_pattern, class_pattern);
    if (MatchesPattern(TitleOf(child), title_pattern) &&
        MatchesPattern(ClassOf(child), class_pattern)) {
      found = child;
      result = 1;
      break;
    }
  }
  --SearchDepth;
  return result;
}

void Module1::FindMosaicControls() {
  MosaicField0 = MosaicLatField = MosaicLonField = MosaicGoControl = 0;
  FindWindowByPattern(MosaicField0, 0, "Mosaic*", "*");
  if (MosaicField0 == 0) return;
  WindowHandle bar = 0;
  FindWindowByPattern(bar, MosaicField0, "*", "AfxControlBar70s");
  WindowHandle pane = windows_.FirstChild(bar);
  WindowHandle k0 = windows_.FirstChild(pane);
  WindowHandle k1 = windows_.NextSibling(k0);
  WindowHandle k2 = windows_.NextSibling(k1);
  WindowHandle k3 = windows_.NextSibling(k2);
  WindowHandle k4 = windows_.NextSibling(k3);
  MosaicField0 = k0;
  MosaicLatField = windows_.FirstChild(k1);
  MosaicLonField = windows_.FirstChild(k3);
  MosaicGoControl = k4;
}

void Module1::ActivateWindow(WindowHandle window) {
  if (windows_.IsMinimized(window)) windows_.Restore(window);
  else windows_.BringToForeground(window);
}

}  // namespace tarvik::target
