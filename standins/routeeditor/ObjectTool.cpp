#include "standins/routeeditor/ObjectTool.h"

#include <array>

#include "standins/common/Controls.h"
#include "standins/common/WindowObject.h"
#include "standins/routeeditor/ToolWindow.h"

namespace tarvik::standins::routeeditor {

namespace {

// The children in creation order, which is the order Tarvik counts them in;
// none has children of its own:
//
//   child  class   shows              Tarvik relies on
//     1    Static  "Object:"
//     2    Static  the object's name
//     3    Static  "x:"               3rd descendant: marks the Object window
//     4-5  Static  "y:" "z:"
//     6    Button  "Select"
//     7    Edit    object x           child 7; exactly "0.000" = none selected
//     8    Edit    object y           child 8
//     9    Edit    object z           child 9
//    10    Button  "Clear"
enum Child { kCaption, kName, kXLabel, kYLabel, kZLabel, kSelectButton, kX, kY, kZ, kClearButton };

constexpr DWORD kField = WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL;
constexpr int kButtonWidth = 64;
constexpr int kNameWidth = kFieldWidth - kButtonWidth - 6;

constexpr std::array<ChildLayout, 10> kChildren = {{
    {L"Static", L"Object:", SS_RIGHT, kMargin, RowTop(0) + 3, kLabelWidth, kRowHeight},  // child 1
    {L"Static", L"", SS_LEFT | SS_ENDELLIPSIS, kFieldLeft, RowTop(0) + 3, kNameWidth,
     kRowHeight},                                                                   // child 2
    {L"Static", L"x:", SS_RIGHT, kMargin, RowTop(1) + 3, kLabelWidth, kRowHeight},  // child 3
    {L"Static", L"y:", SS_RIGHT, kMargin, RowTop(2) + 3, kLabelWidth, kRowHeight},  // child 4
    {L"Static", L"z:", SS_RIGHT, kMargin, RowTop(3) + 3, kLabelWidth, kRowHeight},  // child 5
    {L"Button", L"Select", WS_TABSTOP | BS_PUSHBUTTON, kFieldLeft + kFieldWidth - kButtonWidth,
     RowTop(0), kButtonWidth, kRowHeight},                                   // child 6
    {L"Edit", L"", kField, kFieldLeft, RowTop(1), kFieldWidth, kRowHeight},  // child 7
    {L"Edit", L"", kField, kFieldLeft, RowTop(2), kFieldWidth, kRowHeight},  // child 8
    {L"Edit", L"", kField, kFieldLeft, RowTop(3), kFieldWidth, kRowHeight},  // child 9
    {L"Button", L"Clear", WS_TABSTOP | BS_PUSHBUTTON, kFieldLeft + kFieldWidth - kButtonWidth,
     RowTop(4), kButtonWidth, kRowHeight},  // child 10
}};

constexpr SIZE kClientSize{kFieldLeft + kFieldWidth + kMargin, RowTop(5) + kMargin - 5};

}  // namespace

bool ObjectTool::RegisterClass() {
  return RegisterStandinClass(kObjectClass,
                              &ObjectProcedure<ObjectTool, &ObjectTool::HandleMessage>);
}

bool ObjectTool::Create(HWND owner, POINT at) {
  window_.reset(CreateTopWindow(kToolExStyle, kObjectClass, L"Object", kToolStyle, at, kClientSize,
                                owner, this));
  if (!window_) return false;
  children_ = AddChildren(window_.get(), kChildren);
  return true;
}

HWND ObjectTool::Child(int index) const {
  return index < static_cast<int>(children_.size()) ? children_[static_cast<size_t>(index)]
                                                    : nullptr;
}

void ObjectTool::Close() {
  window_.reset();
  children_.clear();
  hub_.ToolChanged();
}

void ObjectTool::Show(const wchar_t* name, const wchar_t* x, const wchar_t* y, const wchar_t* z) {
  SetWindowTextW(Child(kName), name);
  SetWindowTextW(Child(kX), x);
  SetWindowTextW(Child(kY), y);
  SetWindowTextW(Child(kZ), z);
  hub_.ToolChanged();
}

void ObjectTool::Select() { Show(L"Signal post", L"100.000", L"50.000", L"200.000"); }

void ObjectTool::Clear() { Show(L"(none)", L"0.000", L"0.000", L"0.000"); }

std::wstring ObjectTool::Summary() const {
  if (!window_) return L"Object window closed";
  return L"Object " + TextOf(Child(kName)) + L"   x " + TextOf(Child(kX)) + L"  y " +
         TextOf(Child(kY)) + L"  z " + TextOf(Child(kZ));
}

LRESULT ObjectTool::HandleMessage(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_CLOSE) {
    Close();
    return 0;
  }
  if (message == WM_COMMAND && children_.size() > kClearButton) {
    const auto control = reinterpret_cast<HWND>(lparam);
    const bool clicked = HIWORD(wparam) == BN_CLICKED;
    if (clicked && control == Child(kSelectButton)) Select();
    if (clicked && control == Child(kClearButton)) Clear();
    if (HIWORD(wparam) == EN_CHANGE) hub_.ToolChanged();
    return 0;
  }
  return DefWindowProcW(window, message, wparam, lparam);
}

}  // namespace tarvik::standins::routeeditor
