#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <string>

#include "platform/Control.h"
#include "platform/ControlDesign.h"
#include "platform/win32/Handles.h"
#include "platform/win32/PasteHook.h"

namespace tarvik::platform::win32 {

// What a control needs from the window it sits on.
class ControlHost {
 public:
  virtual ~ControlHost() = default;
  virtual HWND Handle() const = 0;
  virtual int Dpi() const = 0;
  virtual HFONT FontFor(const FontDesign& font) = 0;
  virtual HWND ToolTipWindow() = 0;
  // Where a frame's contents start, in client twips; 0,0 for the client area.
  virtual TwipsRect ParentOrigin(const std::string& parent) const = 0;
  // Controls inside a frame are its siblings on Windows: they show only
  // while the frame shows, and follow it when it is shown or hidden.
  virtual bool ParentShown(const std::string& parent) const = 0;
  virtual void FrameShownOrHidden(const std::string& frame) = 0;
};

// The part every control of ours has, whatever its interface: the child
// window, its geometry kept in twips, its tooltip, its click handler.
class ChildWindow {
 public:
  ChildWindow(ControlHost& host, const ControlDesign& layout, int id);
  virtual ~ChildWindow() = default;
  ChildWindow(const ChildWindow&) = delete;
  ChildWindow& operator=(const ChildWindow&) = delete;

  HWND Hwnd() const { return hwnd_; }
  int Id() const { return id_; }
  const ControlDesign& Layout() const { return layout_; }

  // A notification from the control arrived through WM_COMMAND.
  virtual void OnCommand(int code) = 0;
  // The window's DPI changed: position, font and glyph again.
  void Relayout();
  void Click() {
    if (on_click_) on_click_();
  }
  bool Shown() const { return visible_ && host_.ParentShown(layout_.parent); }
  // Where the control stands now, relative to its parent frame or the
  // client area; auto-sized controls have their text's size.
  const TwipsRect& Rect() const { return rect_; }
  void GrowWidth(Twips by) {
    rect_.width += by;
    Place();
  }
  void ApplyVisibility() { ShowWindow(hwnd_, Shown() ? SW_SHOWNA : SW_HIDE); }

 protected:
  std::string GetText() const;
  void SetText(std::string_view text);
  void SetToolTipText(std::string_view tip);
  void Place();
  void FitToText();

  ControlHost& host_;
  ControlDesign layout_;
  TwipsRect rect_;
  HWND hwnd_ = nullptr;  // owned by the parent window, destroyed with it
  int id_;
  bool visible_ = true;
  std::wstring tooltip_;
  bool tool_added_ = false;
  UniqueHicon glyph_;
  std::function<void()> on_click_;
};

template <class Interface>
class ControlBase : public Interface, public ChildWindow {
 public:
  using ChildWindow::ChildWindow;

  std::string Caption() const override { return GetText(); }
  void SetCaption(std::string_view caption) override;
  bool Visible() const override { return visible_; }
  void SetVisible(bool visible) override {
    visible_ = visible;
    ApplyVisibility();
    if (layout_.kind == ControlKind::Frame) host_.FrameShownOrHidden(layout_.name);
  }
  bool Enabled() const override { return IsWindowEnabled(hwnd_) != FALSE; }
  void SetEnabled(bool enabled) override { EnableWindow(hwnd_, enabled ? TRUE : FALSE); }
  void OnClick(std::function<void()> handler) override { on_click_ = std::move(handler); }

  void SetToolTip(std::string_view tip) override { SetToolTipText(tip); }
  Twips Left() const override { return rect_.left; }
  Twips Top() const override { return rect_.top; }
  Twips Width() const override { return rect_.width; }
  Twips Height() const override { return rect_.height; }
  void SetLeft(Twips left) override { rect_.left = left; Place(); }
  void SetTop(Twips top) override { rect_.top = top; Place(); }
  void SetWidth(Twips width) override { rect_.width = width; Place(); }
  void SetHeight(Twips height) override { rect_.height = height; Place(); }
  void SetFocus() override { ::SetFocus(hwnd_); }
};

// Labels, fields, buttons, check boxes, option buttons, frames and images.
class Win32Control final : public ControlBase<Control> {
 public:
  Win32Control(ControlHost& host, const ControlDesign& layout, int id);
  void OnCommand(int code) override;
  int Value() const override;
  void SetValue(int value) override;
  void SetReadOnly(bool read_only) override;
  void ReplaceSelection(std::string_view text) override;
  void OnPaste(std::function<bool(std::string_view)> handler) override;

 private:
  std::unique_ptr<PasteHook> paste_hook_;
};

// List boxes and drop-down lists.
class Win32List final : public ControlBase<ListControl> {
 public:
  Win32List(ControlHost& host, const ControlDesign& layout, int id);
  void OnCommand(int code) override;
  int Value() const override { return 0; }
  void SetValue(int) override {}
  void SetReadOnly(bool) override {}
  void ReplaceSelection(std::string_view) override {}
  void OnPaste(std::function<bool(std::string_view)>) override {}

  int Count() const override;
  std::string Item(int index) const override;
  void AddItem(std::string_view text, int index = -1) override;
  void RemoveItem(int index) override;
  void Clear() override;
  void SetItems(std::span<const std::string_view> rows) override;
  int ListIndex() const override;
  void SetListIndex(int index) override;

 private:
  bool IsCombo() const { return layout_.kind == ControlKind::DropDownList; }
  // Throws for the answer of a control that did not take a row.
  static void TakenOrThrow(LRESULT result);
  LRESULT Send(UINT list_message, UINT combo_message, WPARAM w = 0, LPARAM l = 0) const {
    return SendMessageW(hwnd_, IsCombo() ? combo_message : list_message, w, l);
  }
};

}  // namespace tarvik::platform::win32
