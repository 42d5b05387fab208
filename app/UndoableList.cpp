#include "app/UndoableList.h"

namespace tarvik::app {

void UndoableList::Forget() {
  edits_.clear();
  replaced_ = false;
}

bool UndoableList::Undo() {
  if (replaced_) return false;
  for (auto edit = edits_.rbegin(); edit != edits_.rend(); ++edit) {
    if (edit->inserted) list_.RemoveItem(edit->at);
    else list_.AddItem(edit->row, edit->at);
  }
  Forget();
  return true;
}

void UndoableList::AddItem(std::string_view text, int index) {
  const int count = list_.Count();
  const int at = index < 0 || index > count ? count : index;
  list_.AddItem(text, at);
  edits_.push_back({true, at, {}});
}

void UndoableList::RemoveItem(int index) {
  std::string row = list_.Item(index);
  list_.RemoveItem(index);
  edits_.push_back({false, index, std::move(row)});
}

void UndoableList::Clear() {
  replaced_ = true;
  list_.Clear();
}

void UndoableList::SetItems(std::span<const std::string_view> rows) {
  replaced_ = true;
  list_.SetItems(rows);
}

}  // namespace tarvik::app
