#include "app/UndoableList.h"

#include <algorithm>
#include <new>
#include <utility>

#include "waypoints/RowOrder.h"

namespace tarvik::app {

namespace {

using waypoints::undo::ListChange;
using waypoints::undo::RowStore;

// A list box with its drawing on takes milliseconds per row it inserts or
// removes under Wine; beyond this many rows it is filled at once instead.
constexpr std::size_t kRowByRowLimit = 16;

}  // namespace

void UndoableList::BeginCommand() {
  noted_.clear();
  label_.clear();
}

void UndoableList::Note(Noted noted) { noted_.push_back(std::move(noted)); }

void UndoableList::AddItem(std::string_view text, int index) {
  const int at = index < 0 || index > Count() ? Count() : index;
  ListChange change{true, {at}, {std::string(text)}};
  // Room to note it first, so that nothing can fail once it is made.
  noted_.reserve(noted_.size() + 1);
  Apply(change, true);
  Note(std::move(change));
}

void UndoableList::RemoveItem(int index) {
  ListChange change{false, {index}, {Item(index)}};
  noted_.reserve(noted_.size() + 1);
  Apply(change, true);
  Note(std::move(change));
}

void UndoableList::SetItems(std::span<const std::string_view> rows) { SetItems(rows, [] {}); }

void UndoableList::SetItems(std::span<const std::string_view> rows,
                            const std::function<void()>& release) {
  RowStore next;
  next.Assign(rows);
  release();
  noted_.reserve(noted_.size() + 1);
  ShowAll(next);
  Note(std::exchange(store_, std::move(next)));
  ++version_;
}

void UndoableList::InsertInOrder(std::vector<std::string> rows) {
  waypoints::SortRows(rows);
  ListChange change{true, {}, std::move(rows)};
  change.at.reserve(change.rows.size());
  const auto row_at = [this](int i) { return store_.Row(i); };
  for (std::size_t i = 0; i < change.rows.size(); ++i) {
    const int before = waypoints::SortedInsertIndex(Count(), row_at, change.rows[i]);
    change.at.push_back(before + static_cast<int>(i));
  }
  noted_.reserve(noted_.size() + 1);
  Apply(change, true);
  Note(std::move(change));
}

void UndoableList::Apply(const ListChange& change, bool forward) {
  const bool insert = change.inserted == forward;
  RowStore next = store_;
  if (insert) next.InsertAt(change.at, change.rows);
  else next.RemoveAt(change.at);
  if (change.at.size() > kRowByRowLimit) ShowAll(next);
  else if (insert) InsertIntoView(change);
  else RemoveFromView(change);
  store_ = std::move(next);
  ++version_;
}

void UndoableList::InsertIntoView(const ListChange& change) {
  std::size_t done = 0;
  try {
    for (; done < change.at.size(); ++done) view_.AddItem(change.rows[done], change.at[done]);
  } catch (...) {
    while (done-- > 0) view_.RemoveItem(change.at[done]);
    throw;
  }
}

void UndoableList::RemoveFromView(const ListChange& change) {
  // From the last, so that the indices of the others still hold; the rows
  // from `left` on are out.
  std::size_t left = change.at.size();
  try {
    for (; left > 0; --left) view_.RemoveItem(change.at[left - 1]);
  } catch (...) {
    for (; left < change.at.size(); ++left) view_.AddItem(change.rows[left], change.at[left]);
    throw;
  }
}

void UndoableList::ShowAll(const RowStore& rows) {
  try {
    view_.SetItems(rows.Rows());
  } catch (...) {
    // Whatever the list box then shows, the store keeps the rows that Save
    // writes; the failure itself goes on to be reported.
    try {
      view_.SetItems(store_.Rows());
    } catch (...) {
    }
    throw;
  }
}

void UndoableList::TakeBackCommand() {
  while (!noted_.empty()) {
    if (const auto* change = std::get_if<ListChange>(&noted_.back())) {
      Apply(*change, false);
    } else {
      RowStore& before = std::get<RowStore>(noted_.back());
      ShowAll(before);
      store_ = std::move(before);
      ++version_;
    }
    noted_.pop_back();
  }
  label_.clear();
}

void UndoableList::EndCommand() {
  const bool replaced = std::any_of(noted_.begin(), noted_.end(), [](const Noted& noted) {
    return std::holds_alternative<RowStore>(noted);
  });
  if (replaced) {
    history_.Clear();
  } else if (!noted_.empty()) {
    try {
      waypoints::undo::ListStep step{std::move(label_), {}};
      for (auto& noted : noted_) step.changes.push_back(std::move(std::get<ListChange>(noted)));
      history_.Record(std::move(step));
    } catch (const std::bad_alloc&) {
      // The change stands; only the steps back to it could not be kept.
      history_.Clear();
    }
  }
  BeginCommand();
}

bool UndoableList::Undo() {
  const auto* step = history_.ToUndo();
  if (!step) return false;
  const auto& changes = step->changes;
  std::size_t done = 0;  // taken back, newest first
  try {
    for (; done < changes.size(); ++done) Apply(changes[changes.size() - 1 - done], false);
  } catch (...) {
    while (done-- > 0) Apply(changes[changes.size() - 1 - done], true);
    throw;
  }
  history_.Undone();
  return true;
}

bool UndoableList::Redo() {
  const auto* step = history_.ToRedo();
  if (!step) return false;
  const auto& changes = step->changes;
  std::size_t done = 0;
  try {
    for (; done < changes.size(); ++done) Apply(changes[done], true);
  } catch (...) {
    while (done-- > 0) Apply(changes[done], false);
    throw;
  }
  history_.Redone();
  return true;
}

}  // namespace tarvik::app
