// The main window's Edit menu: Undo and Redo of the entire list's changes.
#include "app/Form_Tarvik.h"
#include "waypoints/undo/ListChange.h"

namespace tarvik::app {

void Form_Tarvik::Menu_EditUndo_Click() {
  if (entire_list_->Undo()) AfterUndoOrRedo();
}

void Form_Tarvik::Menu_EditRedo_Click() {
  if (entire_list_->Redo()) AfterUndoOrRedo();
}

void Form_Tarvik::AfterUndoOrRedo() {
  // Back at the saved state the list is unchanged again; anywhere else it
  // differs from the file.
  document_.IsDirty = !entire_list_->AtSaved();
  DropRecentRowsGone();
}

void Form_Tarvik::ShowEditMenu() {
  auto show = [](platform::MenuItem& entry, const std::string& caption, bool enabled) {
    // A menu is rebuilt for each change to it.
    if (entry.Caption() != caption) entry.SetCaption(caption);
    entry.SetEnabled(enabled);
  };
  const auto* undo = entire_list_->ToUndo();
  const auto* redo = entire_list_->ToRedo();
  show(*c_.Menu_EditUndo, waypoints::undo::UndoCaption(undo), undo != nullptr);
  show(*c_.Menu_EditRedo, waypoints::undo::RedoCaption(redo), redo != nullptr);
}

void Form_Tarvik::DropRecentRowsGone() {
  auto& recent = *c_.List_Recent;
  for (int i = recent.Count(); i-- > 0;) {
    if (!InEntireList(recent.Item(i))) recent.RemoveItem(i);
  }
}

bool Form_Tarvik::InEntireList(const std::string& row) const {
  const platform::ListControl& list = *c_.List_Entire;
  const std::string_view name = waypoints::RowName(row);
  // Rows of one name stand together in the list's order.
  for (int i = FindInEntireList(name); i >= 0 && i < list.Count(); ++i) {
    const std::string candidate = list.Item(i);
    if (candidate == row) return true;
    if (waypoints::RowName(candidate) != name) break;
  }
  return false;
}

}  // namespace tarvik::app
