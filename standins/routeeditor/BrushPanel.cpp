#include "standins/routeeditor/BrushPanel.h"

#include <commctrl.h>

#include <array>

#include "standins/common/Controls.h"
#include "standins/routeeditor/ToolWindow.h"

namespace tarvik::standins::routeeditor {

namespace {

constexpr std::array<const wchar_t*, 10> kSettings = {
    L"Radius:", L"Height:", L"Strength:", L"Falloff:", L"Smooth:",
    L"Grid:",   L"Snap:",   L"Angle:",    L"Step:",    L"Repeat:"};

constexpr int kLabel = 70;
constexpr int kNumber = 70;
constexpr int kSpinner = 18;
constexpr DWORD kSpinnerStyle = UDS_SETBUDDYINT | UDS_ARROWKEYS | UDS_NOTHOUSANDS;

}  // namespace

bool AddBrushPanel(HWND main, int client_width) {
  INITCOMMONCONTROLSEX classes{sizeof classes, ICC_UPDOWN_CLASS};
  if (!InitCommonControlsEx(&classes)) return false;
  const int left = client_width - kBrushPanelWidth + kMargin;
  for (size_t row = 0; row < kSettings.size(); ++row) {
    const int top = RowTop(static_cast<int>(row));
    AddChild(main, {L"Static", kSettings[row], SS_RIGHT, left, top + 3, kLabel, kRowHeight});
    HWND number = AddChild(main, {L"Edit", L"1", WS_BORDER | ES_NUMBER, left + kLabel + 4, top,
                                  kNumber, kRowHeight});
    HWND spinner = AddChild(main, {UPDOWN_CLASSW, L"", kSpinnerStyle,
                                   left + kLabel + 4 + kNumber, top, kSpinner, kRowHeight});
    if (!number || !spinner) return false;
    SendMessageW(spinner, UDM_SETBUDDY, reinterpret_cast<WPARAM>(number), 0);
    SendMessageW(spinner, UDM_SETRANGE32, 0, 100);
    SendMessageW(spinner, UDM_SETPOS32, 0, 1);
  }
  return true;
}

}  // namespace tarvik::standins::routeeditor
