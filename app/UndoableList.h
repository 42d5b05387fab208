#pragma once

#include <string>
#include <vector>

#include "platform/Control.h"

namespace tarvik::app {

// A list as the main window's logic sees it: every call goes through to the
// list control, and the rows inserted or removed since Forget are noted, so
// that a command that fails can take them back. Nothing is copied up front:
// reading every row back from a large list box takes seconds. Replacing all
// rows (Clear, SetItems) therefore cannot be taken back; Undo says so.
class UndoableList final : public platform::ListControl {
 public:
  explicit UndoableList(platform::ListControl& list) : list_(list) {}

  // Starts noting afresh.
  void Forget();
  // Takes back the noted inserts and removals, newest first. False when
  // every row was replaced since Forget: the rows before are gone.
  bool Undo();

  int Count() const override { return list_.Count(); }
  std::string Item(int index) const override { return list_.Item(index); }
  void AddItem(std::string_view text, int index = -1) override;
  void RemoveItem(int index) override;
  void Clear() override;
  void SetItems(std::span<const std::string_view> rows) override;
  int ListIndex() const override { return list_.ListIndex(); }
  void SetListIndex(int index) override { list_.SetListIndex(index); }

  std::string Caption() const override { return list_.Caption(); }
  void SetCaption(std::string_view caption) override { list_.SetCaption(caption); }
  bool Visible() const override { return list_.Visible(); }
  void SetVisible(bool visible) override { list_.SetVisible(visible); }
  bool Enabled() const override { return list_.Enabled(); }
  void SetEnabled(bool enabled) override { list_.SetEnabled(enabled); }
  void OnClick(std::function<void()> handler) override { list_.OnClick(std::move(handler)); }
  void SetToolTip(std::string_view tip) override { list_.SetToolTip(tip); }
  platform::Twips Left() const override { return list_.Left(); }
  platform::Twips Top() const override { return list_.Top(); }
  platform::Twips Width() const override { return list_.Width(); }
  platform::Twips Height() const override { return list_.Height(); }
  void SetLeft(platform::Twips left) override { list_.SetLeft(left); }
  void SetTop(platform::Twips top) override { list_.SetTop(top); }
  void SetWidth(platform::Twips width) override { list_.SetWidth(width); }
  void SetHeight(platform::Twips height) override { list_.SetHeight(height); }
  int Value() const override { return list_.Value(); }
  void SetValue(int value) override { list_.SetValue(value); }
  void SetReadOnly(bool read_only) override { list_.SetReadOnly(read_only); }
  void ReplaceSelection(std::string_view text) override { list_.ReplaceSelection(text); }
  void OnPaste(std::function<bool(std::string_view)> handler) override {
    list_.OnPaste(std::move(handler));
  }
  void SetFocus() override { list_.SetFocus(); }

 private:
  struct Edit {
    bool inserted;  // else removed
    int at;
    std::string row;  // a removed row
  };

  platform::ListControl& list_;
  std::vector<Edit> edits_;
  bool replaced_ = false;
};

}  // namespace tarvik::app
