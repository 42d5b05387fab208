#include "standins/routeeditor/PlacementTool.h"

#include <array>

#include "standins/common/Controls.h"
#include "standins/common/WindowObject.h"
#include "standins/routeeditor/ToolWindow.h"

namespace tarvik::standins::routeeditor {

namespace {

// The children in creation order, which is the order Tarvik counts them in;
// none has children of its own. Rotation is on the left, position on the
// right, so that Tab goes through the fields in creation order:
//
//   child  class   shows                 Tarvik relies on
//     1    Static  "Position (m)"
//     2    Static  "Rotation (deg)"
//     3-4  Static  "Heading:" "Pitch:"
//     5    Static  "x:"                  5th descendant: marks the Placement window
//     6-7  Static  "y:" "z:"
//     8    Edit    heading
//     9    Edit    pitch
//    10    Button  "Level"               sets the pitch to 0
//    11    Edit    placement x           child 11
//    12    Edit    placement y           child 12
//    13    Edit    placement z           child 13
enum Child {
  kPositionCaption,
  kRotationCaption,
  kHeadingLabel,
  kPitchLabel,
  kXLabel,
  kYLabel,
  kZLabel,
  kHeading,
  kPitch,
  kLevelButton,
  kX,
  kY,
  kZ
};

constexpr DWORD kField = WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL;
constexpr int kShortField = 100;
constexpr int kRotationFieldLeft = kFieldLeft;
constexpr int kPositionLabelLeft = kRotationFieldLeft + kShortField + 2 * kMargin;
constexpr int kSmallLabel = 24;
constexpr int kPositionFieldLeft = kPositionLabelLeft + kSmallLabel + 4;

constexpr std::array<ChildLayout, 13> kChildren = {{
    {L"Static", L"Position (m)", SS_LEFT, kPositionFieldLeft, RowTop(0) + 3, kShortField,
     kRowHeight},  // child 1
    {L"Static", L"Rotation (deg)", SS_LEFT, kRotationFieldLeft, RowTop(0) + 3, kShortField,
     kRowHeight},                                                                         // child 2
    {L"Static", L"Heading:", SS_RIGHT, kMargin, RowTop(1) + 3, kLabelWidth, kRowHeight},  // child 3
    {L"Static", L"Pitch:", SS_RIGHT, kMargin, RowTop(2) + 3, kLabelWidth, kRowHeight},    // child 4
    {L"Static", L"x:", SS_RIGHT, kPositionLabelLeft, RowTop(1) + 3, kSmallLabel,
     kRowHeight},  // child 5
    {L"Static", L"y:", SS_RIGHT, kPositionLabelLeft, RowTop(2) + 3, kSmallLabel,
     kRowHeight},  // child 6
    {L"Static", L"z:", SS_RIGHT, kPositionLabelLeft, RowTop(3) + 3, kSmallLabel,
     kRowHeight},                                                                       // child 7
    {L"Edit", L"0.0", kField, kRotationFieldLeft, RowTop(1), kShortField, kRowHeight},  // child 8
    {L"Edit", L"0.0", kField, kRotationFieldLeft, RowTop(2), kShortField, kRowHeight},  // child 9
    {L"Button", L"Level", WS_TABSTOP | BS_PUSHBUTTON, kRotationFieldLeft, RowTop(3), kShortField,
     kRowHeight},  // child 10
    {L"Edit", L"110.000", kField, kPositionFieldLeft, RowTop(1), kShortField,
     kRowHeight},  // child 11
    {L"Edit", L"50.000", kField, kPositionFieldLeft, RowTop(2), kShortField,
     kRowHeight},  // child 12
    {L"Edit", L"210.000", kField, kPositionFieldLeft, RowTop(3), kShortField,
     kRowHeight},  // child 13
}};

constexpr SIZE kClientSize{kPositionFieldLeft + kShortField + kMargin, RowTop(4) + kMargin - 5};

}  // namespace

bool PlacementTool::RegisterClass() {
  return RegisterStandinClass(kPlacementClass,
                              &ObjectProcedure<PlacementTool, &PlacementTool::HandleMessage>);
}

bool PlacementTool::Create(HWND owner, POINT at) {
  window_.reset(CreateTopWindow(kToolExStyle, kPlacementClass, L"Placement", kToolStyle, at,
                                kClientSize, owner, this));
  if (!window_) return false;
  children_ = AddChildren(window_.get(), kChildren);
  return true;
}

HWND PlacementTool::Child(int index) const {
  return index < static_cast<int>(children_.size()) ? children_[static_cast<size_t>(index)]
                                                    : nullptr;
}

void PlacementTool::Close() {
  window_.reset();
  children_.clear();
  hub_.ToolChanged();
}

std::wstring PlacementTool::Summary() const {
  if (!window_) return L"Placement window closed";
  return L"Placement   x " + TextOf(Child(kX)) + L"  y " + TextOf(Child(kY)) + L"  z " +
         TextOf(Child(kZ));
}

LRESULT PlacementTool::HandleMessage(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_CLOSE) {
    Close();
    return 0;
  }
  if (message == WM_COMMAND && children_.size() > kZ) {
    const auto control = reinterpret_cast<HWND>(lparam);
    if (control == Child(kLevelButton) && HIWORD(wparam) == BN_CLICKED) {
      SetWindowTextW(Child(kPitch), L"0.0");
    }
    if (HIWORD(wparam) == EN_CHANGE) hub_.ToolChanged();
    return 0;
  }
  return DefWindowProcW(window, message, wparam, lparam);
}

}  // namespace tarvik::standins::routeeditor
