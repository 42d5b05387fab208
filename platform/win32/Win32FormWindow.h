#pragma once

#include <windows.h>

#include <exception>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <tuple>
#include <vector>

#include "platform/FormWindow.h"
#include "platform/win32/Handles.h"
#include "platform/win32/Win32Controls.h"
#include "platform/win32/Win32Menu.h"

namespace tarvik::platform::win32 {

struct WindowOptions {
  std::wstring class_name;
  DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_BORDER;
  DWORD ex_style = 0;
  HWND owner = nullptr;
  bool icon = true;  // the program icon in the caption and task switcher
};

// A top-level window of the program over a real HWND, in the manner of a
// BaseWindow: `this` is stored at WM_NCCREATE and every message goes to
// HandleMessage, which calls a handler the logic registered.
class Win32FormWindow final : public FormWindow, private ControlHost {
 public:
  explicit Win32FormWindow(const WindowOptions& options);
  ~Win32FormWindow() override;
  Win32FormWindow(const Win32FormWindow&) = delete;
  Win32FormWindow& operator=(const Win32FormWindow&) = delete;

  Control& AddControl(const ControlDesign& layout) override;
  ListControl& AddList(const ControlDesign& layout) override;
  MenuItem& AddMenuItem(const MenuDesign& layout) override;

  std::string Caption() const override;
  void SetCaption(std::string_view caption) override;

  Twips Left() const override;
  Twips Top() const override;
  Twips Width() const override;
  Twips Height() const override;
  void SetLeft(Twips left) override;
  void SetTop(Twips top) override;
  void SetWidth(Twips width) override;
  void SetHeight(Twips height) override;
  Twips ClientWidth() const override;
  Twips ClientHeight() const override;

  bool IsMinimized() const override;
  bool IsNormal() const override;
  void SetTopmost(bool topmost) override;
  std::vector<TwipsRect> MonitorWorkAreas() const override;
  void FitClientWidthToControls(Twips right_margin) override;

  void SetTimerHandler(std::function<void()> tick) override { tick_ = std::move(tick); }
  void SetTimerInterval(int milliseconds) override;
  void SetTimerEnabled(bool enabled) override;
  bool TimerEnabled() const override { return timer_enabled_; }
  int TimerInterval() const override { return timer_interval_; }

  void OnCloseRequest(std::function<void()> handler) override { on_close_ = std::move(handler); }
  void OnFilesDropped(std::function<void(const DroppedFiles&)> handler) override;
  void Show() override;
  void Hide() override;
  void Destroy() override;

  HWND Handle() const override { return hwnd_.get(); }
  bool Alive() const { return hwnd_ != nullptr; }
  // For windows whose design gives the client area rather than the frame.
  void SetClientSize(Twips width, Twips height);
  void CenterOnScreen();
  // A message of this window or its controls before it is dispatched: the
  // mouse goes to the tooltip too; Tab, Enter and Esc work as in a dialog,
  // Tab in the designed tab order. True when the message was taken.
  bool PreTranslate(MSG& message);
  void OnDestroyed(std::function<void()> handler) { on_destroyed_ = std::move(handler); }

 private:
  static LRESULT CALLBACK Procedure(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam);
  LRESULT HandleMessage(UINT message, WPARAM wparam, LPARAM lparam);
  // A warning for an exception no handler caught.
  void ReportFailure(UINT message, std::exception_ptr failure);
  void RememberFocus();
  void RestoreFocus();
  void OnCommand(int id, int code);
  void OnDropFiles(HDROP drop);
  void OnDpiChanged(int dpi, const RECT& suggested);
  void ApplyTimer();
  template <class ControlType>
  ControlType& Adopt(const ControlDesign& layout);
  void PlaceInTabOrder(ChildWindow& control);
  RECT WindowRect() const;
  void MoveTo(int left, int top, int width, int height);

  int Dpi() const override { return dpi_; }
  HFONT FontFor(const FontDesign& font) override;
  HWND ToolTipWindow() override;
  TwipsRect ParentOrigin(const std::string& parent) const override;
  bool ParentShown(const std::string& parent) const override;
  void FrameShownOrHidden(const std::string& frame) override;
  void RaiseCoveringFrames();
  void RaiseControlsAboveAll();
  void RelayMouseToToolTip(MSG& message);
  // Ctrl with a letter that a menu entry has as its shortcut chooses it.
  bool TakeMenuShortcut(const MSG& message);
  const ChildWindow* FindControl(HWND hwnd) const;

  UniqueHwnd hwnd_;
  HWND tooltip_ = nullptr;  // owned by this window, destroyed with it
  HWND focus_when_inactive_ = nullptr;  // one of its controls, or none
  int dpi_ = 96;
  std::map<std::tuple<std::string, float, bool>, UniqueHfont> fonts_;
  std::vector<std::unique_ptr<ChildWindow>> controls_;
  std::unique_ptr<Win32Menu> menu_;
  int menu_item_count_ = 0;
  std::function<void()> on_close_;
  std::function<void()> on_destroyed_;
  std::function<void(const DroppedFiles&)> on_drop_;
  std::function<void()> tick_;
  int timer_interval_ = 0;
  bool timer_enabled_ = false;
};

}  // namespace tarvik::platform::win32
