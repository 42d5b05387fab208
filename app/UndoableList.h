#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <variant>
#include <vector>

#include "platform/Control.h"
#include "waypoints/undo/EditHistory.h"
#include "waypoints/undo/RowStore.h"

namespace tarvik::app {

// The entire list as the main window's logic sees it: the list box and,
// beside it, the same rows in a store the logic reads from (a list box
// gives its rows back one round trip at a time) and hands to the thread
// that keeps the recovery copy. Every change goes to both or to neither.
// The changes of the command under way are noted, so that a command that
// fails is taken back whole, and one that ends becomes a step that Undo
// takes back and Redo makes again. Steps hold the rows they moved, never a
// copy of the list.
class UndoableList final : public platform::ListControl {
 public:
  explicit UndoableList(platform::ListControl& view) : view_(view) {}

  void BeginCommand();
  // What Undo and Redo call the command's step.
  void NameStep(std::string label) { label_ = std::move(label); }
  // Takes back what the command changed, newest first.
  void TakeBackCommand();
  // The command's changes become one step. A command that replaced every
  // row (New, Open) starts the history afresh instead.
  void EndCommand();

  // Rows merged in at their places in the list's order, each after the
  // equal rows already there, as one change.
  void InsertInOrder(std::vector<std::string> rows);

  const waypoints::undo::ListStep* ToUndo() const { return history_.ToUndo(); }
  const waypoints::undo::ListStep* ToRedo() const { return history_.ToRedo(); }
  // False when there was nothing to undo or redo.
  bool Undo();
  bool Redo();
  void MarkSaved() { history_.MarkSaved(); }
  bool AtSaved() const { return history_.AtSaved(); }

  // A copy that shares the rows' storage: cheap to take, safe to read on
  // another thread while this list goes on changing.
  waypoints::undo::RowStore Rows() const { return store_; }
  // Counts every change to the rows.
  std::uint64_t Version() const { return version_; }

  int Count() const override { return store_.Count(); }
  std::string Item(int index) const override { return std::string(store_.Row(index)); }
  void AddItem(std::string_view text, int index = -1) override;
  void RemoveItem(int index) override;
  void Clear() override { SetItems({}); }
  void SetItems(std::span<const std::string_view> rows) override;
  // The same for rows whose owner lets them go in `release`, called once
  // they are in the store and before the list box is filled: a large file's
  // rows are then never held three times over (its own, the store's and the
  // list box's) beside the rows a failure would put back.
  void SetItems(std::span<const std::string_view> rows, const std::function<void()>& release);
  int ListIndex() const override { return view_.ListIndex(); }
  void SetListIndex(int index) override { view_.SetListIndex(index); }

  std::string Caption() const override { return view_.Caption(); }
  void SetCaption(std::string_view caption) override { view_.SetCaption(caption); }
  bool Visible() const override { return view_.Visible(); }
  void SetVisible(bool visible) override { view_.SetVisible(visible); }
  bool Enabled() const override { return view_.Enabled(); }
  void SetEnabled(bool enabled) override { view_.SetEnabled(enabled); }
  void OnClick(std::function<void()> handler) override { view_.OnClick(std::move(handler)); }
  void SetToolTip(std::string_view tip) override { view_.SetToolTip(tip); }
  platform::Twips Left() const override { return view_.Left(); }
  platform::Twips Top() const override { return view_.Top(); }
  platform::Twips Width() const override { return view_.Width(); }
  platform::Twips Height() const override { return view_.Height(); }
  void SetLeft(platform::Twips left) override { view_.SetLeft(left); }
  void SetTop(platform::Twips top) override { view_.SetTop(top); }
  void SetWidth(platform::Twips width) override { view_.SetWidth(width); }
  void SetHeight(platform::Twips height) override { view_.SetHeight(height); }
  int Value() const override { return view_.Value(); }
  void SetValue(int value) override { view_.SetValue(value); }
  void SetReadOnly(bool read_only) override { view_.SetReadOnly(read_only); }
  void ReplaceSelection(std::string_view text) override { view_.ReplaceSelection(text); }
  void OnPaste(std::function<bool(std::string_view)> handler) override {
    view_.OnPaste(std::move(handler));
  }
  void SetFocus() override { view_.SetFocus(); }

 private:
  // A change, or the rows that a replacement of every row took away.
  using Noted = std::variant<waypoints::undo::ListChange, waypoints::undo::RowStore>;

  // Makes the change (or takes it back) in the store and the list box, or
  // in neither: what a list box refuses half-way is taken out of it again.
  void Apply(const waypoints::undo::ListChange& change, bool forward);
  void InsertIntoView(const waypoints::undo::ListChange& change);
  void RemoveFromView(const waypoints::undo::ListChange& change);
  // Fills the list box with `rows` at once; when it fails, with the
  // store's rows again.
  void ShowAll(const waypoints::undo::RowStore& rows);
  void Note(Noted noted);

  platform::ListControl& view_;
  waypoints::undo::RowStore store_;
  waypoints::undo::EditHistory history_;
  std::vector<Noted> noted_;
  std::string label_;
  std::uint64_t version_ = 0;
};

}  // namespace tarvik::app
