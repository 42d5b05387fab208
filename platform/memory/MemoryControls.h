#pragma once

#include <functional>
#include <string>
#include <vector>

#include "platform/Control.h"
#include "platform/ControlDesign.h"

namespace tarvik::platform::memory {

// An element that records what the program showed, for native tests.
template <class Interface>
class MemoryElement : public Interface {
 public:
  std::string Caption() const override { return caption_; }
  void SetCaption(std::string_view caption) override {
    caption_ = caption;
    ++writes_;
  }
  bool Visible() const override { return visible_; }
  void SetVisible(bool visible) override {
    visible_ = visible;
    ++writes_;
  }
  // How often the caption or visibility was set: on a real window each
  // costs a redraw.
  int Writes() const { return writes_; }
  bool Enabled() const override { return enabled_; }
  void SetEnabled(bool enabled) override { enabled_ = enabled; }
  void OnClick(std::function<void()> handler) override { on_click_ = std::move(handler); }

 protected:
  void RaiseClick() {
    if (on_click_) on_click_();
  }

 private:
  std::string caption_;
  int writes_ = 0;
  bool visible_ = true;
  bool enabled_ = true;
  std::function<void()> on_click_;
};

class MemoryMenuItem : public MemoryElement<MenuItem> {
 public:
  explicit MemoryMenuItem(const MenuDesign& layout);
  const MenuDesign& Layout() const { return layout_; }
  // The user chooses the entry; a disabled or hidden entry cannot be chosen.
  bool Choose();

 private:
  MenuDesign layout_;
};

class MemoryControl : public MemoryElement<Control> {
 public:
  explicit MemoryControl(const ControlDesign& layout);

  const ControlDesign& Layout() const { return layout_; }
  std::string ToolTip() const { return tooltip_; }
  bool ReadOnly() const { return read_only_; }
  bool HasFocus() const { return focused_; }
  void LoseFocus() { focused_ = false; }

  void SetToolTip(std::string_view tip) override { tooltip_ = tip; }
  Twips Left() const override { return rect_.left; }
  Twips Top() const override { return rect_.top; }
  Twips Width() const override { return rect_.width; }
  Twips Height() const override { return rect_.height; }
  void SetLeft(Twips left) override { rect_.left = left; }
  void SetTop(Twips top) override { rect_.top = top; }
  void SetWidth(Twips width) override { rect_.width = width; }
  void SetHeight(Twips height) override { rect_.height = height; }
  int Value() const override { return value_; }
  void SetValue(int value) override { value_ = value; }
  void SetReadOnly(bool read_only) override { read_only_ = read_only; }
  // The insertion point of a field the user has not touched is its end.
  void ReplaceSelection(std::string_view text) override { SetCaption(Caption() + std::string(text)); }
  void SetFocus() override { focused_ = true; }
  void OnPaste(std::function<bool(std::string_view)> handler) override {
    on_paste_ = std::move(handler);
  }

  // The user pastes `text`: the paste handler first, then the field as
  // usual unless the handler took it.
  void Paste(std::string_view text) {
    if (on_paste_ && on_paste_(text)) return;
    ReplaceSelection(text);
  }

  // The user clicks: a check box toggles first, an option button becomes
  // checked. Returns false when the control cannot take the click.
  bool Click();
  // The user types over the text of a field; a read-only field refuses.
  bool Type(std::string_view text) {
    if (read_only_ || !Enabled()) return false;
    SetCaption(text);
    return true;
  }

 private:
  ControlDesign layout_;
  std::string tooltip_;
  TwipsRect rect_;
  int value_ = 0;
  bool read_only_ = false;
  bool focused_ = false;
  std::function<bool(std::string_view)> on_paste_;
};

class MemoryList : public MemoryElement<ListControl> {
 public:
  explicit MemoryList(const ControlDesign& layout);

  const ControlDesign& Layout() const { return layout_; }
  std::string ToolTip() const { return tooltip_; }
  const std::vector<std::string>& Items() const { return items_; }

  void SetToolTip(std::string_view tip) override { tooltip_ = tip; }
  Twips Left() const override { return rect_.left; }
  Twips Top() const override { return rect_.top; }
  Twips Width() const override { return rect_.width; }
  Twips Height() const override { return rect_.height; }
  void SetLeft(Twips left) override { rect_.left = left; }
  void SetTop(Twips top) override { rect_.top = top; }
  void SetWidth(Twips width) override { rect_.width = width; }
  void SetHeight(Twips height) override { rect_.height = height; }
  int Value() const override { return 0; }
  void SetValue(int) override {}
  void SetReadOnly(bool) override {}
  void ReplaceSelection(std::string_view) override {}
  void SetFocus() override {}
  void OnPaste(std::function<bool(std::string_view)>) override {}

  int Count() const override { return static_cast<int>(items_.size()); }
  std::string Item(int index) const override;
  void AddItem(std::string_view text, int index = -1) override;
  void RemoveItem(int index) override;
  void Clear() override;
  void SetItems(std::span<const std::string_view> rows) override;
  int ListIndex() const override { return list_index_; }
  void SetListIndex(int index) override;

  // The user clicks a row: raises the click handler like a real list does.
  bool UserSelect(int index);

 private:
  ControlDesign layout_;
  std::string tooltip_;
  TwipsRect rect_;
  std::vector<std::string> items_;
  int list_index_ = -1;
};

}  // namespace tarvik::platform::memory
