#include "platform/memory/MemoryControls.h"

#include <stdexcept>

namespace tarvik::platform::memory {

MemoryMenuItem::MemoryMenuItem(const MenuDesign& layout) : layout_(layout) {
  SetCaption(layout.caption);
}

bool MemoryMenuItem::Choose() {
  if (!Enabled() || !Visible() || layout_.separator) return false;
  RaiseClick();
  return true;
}

MemoryControl::MemoryControl(const ControlDesign& layout)
    : layout_(layout), tooltip_(layout.tooltip), rect_(layout.rect) {
  SetCaption(layout.caption);
}

bool MemoryControl::Click() {
  if (!Enabled() || !Visible()) return false;
  if (layout_.kind == ControlKind::CheckBox) value_ = value_ == 1 ? 0 : 1;
  if (layout_.kind == ControlKind::OptionButton) value_ = 1;
  RaiseClick();
  return true;
}

MemoryList::MemoryList(const ControlDesign& layout)
    : layout_(layout), tooltip_(layout.tooltip), rect_(layout.rect) {}

std::string MemoryList::Item(int index) const {
  if (index < 0 || index >= Count()) throw std::out_of_range("list index");
  return items_[static_cast<size_t>(index)];
}

void MemoryList::AddItem(std::string_view text, int index) {
  if (index < 0 || index > Count()) index = Count();
  items_.insert(items_.begin() + index, std::string(text));
  if (list_index_ >= index) ++list_index_;
}

void MemoryList::RemoveItem(int index) {
  if (index < 0 || index >= Count()) throw std::out_of_range("list index");
  items_.erase(items_.begin() + index);
  // Like a list box: removing the selected row leaves nothing selected.
  if (list_index_ == index) list_index_ = -1;
  else if (list_index_ > index) --list_index_;
}

void MemoryList::Clear() {
  items_.clear();
  list_index_ = -1;
}

void MemoryList::SetItems(std::span<const std::string_view> rows) {
  items_.assign(rows.begin(), rows.end());
  list_index_ = -1;
}

void MemoryList::SetListIndex(int index) {
  if (index < -1 || index >= Count()) throw std::out_of_range("list index");
  if (index == list_index_) return;
  list_index_ = index;
  RaiseClick();
}

bool MemoryList::UserSelect(int index) {
  if (!Enabled() || !Visible() || index < 0 || index >= Count()) return false;
  list_index_ = index;
  RaiseClick();
  return true;
}

}  // namespace tarvik::platform::memory
