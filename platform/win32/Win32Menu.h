#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/Control.h"
#include "platform/ControlDesign.h"

namespace tarvik::platform::win32 {

class Win32Menu;

class Win32MenuItem final : public MenuItem {
 public:
  Win32MenuItem(Win32Menu& menu, const MenuDesign& layout, UINT id);

  std::string Caption() const override { return caption_; }
  void SetCaption(std::string_view caption) override;
  bool Visible() const override { return visible_; }
  void SetVisible(bool visible) override;
  bool Enabled() const override { return enabled_; }
  void SetEnabled(bool enabled) override;
  void OnClick(std::function<void()> handler) override { on_click_ = std::move(handler); }

  const MenuDesign& Layout() const { return layout_; }
  UINT Id() const { return id_; }
  HMENU Popup() const { return popup_; }
  void SetPopup(HMENU popup) { popup_ = popup; }
  void Choose() {
    if (on_click_) on_click_();
  }

 private:
  Win32Menu& menu_;
  MenuDesign layout_;
  UINT id_;
  std::string caption_;
  bool visible_ = true;
  bool enabled_ = true;
  HMENU popup_ = nullptr;
  std::function<void()> on_click_;
};

// A window's menu bar. Windows menus have no hidden entries, so a change of
// visibility rebuilds the entries of that one menu from the items in order.
class Win32Menu {
 public:
  explicit Win32Menu(HWND window) : window_(window) {}

  Win32MenuItem& Add(const MenuDesign& layout, UINT id);
  // True when `id` was one of ours and its handler ran.
  bool Choose(UINT id);
  // Ctrl with `key` (and Shift when `shift`): true when an entry has that
  // shortcut, whether or not it could run.
  bool ChooseShortcut(char key, bool shift);
  void Rebuild(const std::string& parent);

 private:
  HMENU MenuOf(const std::string& parent) const;

  HWND window_;
  HMENU bar_ = nullptr;  // attached to the window, which destroys it
  std::vector<std::unique_ptr<Win32MenuItem>> items_;
};

}  // namespace tarvik::platform::win32
