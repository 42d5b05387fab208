#include "platform/memory/MemoryFormWindow.h"

#include <stdexcept>

namespace tarvik::platform::memory {

namespace {

template <class Items>
auto& FindByName(const Items& items, std::string_view name, const char* what) {
  for (const auto& item : items) {
    if (item->Layout().name == name) return *item;
  }
  throw std::invalid_argument(std::string(what) + " not found: " + std::string(name));
}

}  // namespace

MemoryFormWindow::MemoryFormWindow(Frame frame) : frame_(frame) {}

Control& MemoryFormWindow::AddControl(const ControlDesign& layout) {
  controls_.push_back(std::make_unique<MemoryControl>(layout));
  return *controls_.back();
}

ListControl& MemoryFormWindow::AddList(const ControlDesign& layout) {
  lists_.push_back(std::make_unique<MemoryList>(layout));
  return *lists_.back();
}

MenuItem& MemoryFormWindow::AddMenuItem(const MenuDesign& layout) {
  menu_.push_back(std::make_unique<MemoryMenuItem>(layout));
  return *menu_.back();
}

Twips MemoryFormWindow::ClientWidth() const {
  return rect_.width - 2 * frame_.border;
}

Twips MemoryFormWindow::ClientHeight() const {
  return rect_.height - 2 * frame_.border - frame_.title_and_menu;
}

void MemoryFormWindow::SetTopmost(bool topmost) {
  topmost_ = topmost;
  topmost_calls_.push_back(topmost);
}

void MemoryFormWindow::OnCloseRequest(std::function<void()> handler) {
  on_close_ = std::move(handler);
}

void MemoryFormWindow::Destroy() {
  destroyed_ = true;
  shown_ = false;
}

void MemoryFormWindow::UserClose() {
  if (destroyed_) return;
  if (on_close_) on_close_();
  else Destroy();
}

bool MemoryFormWindow::DropFiles(const DroppedFiles& paths) {
  if (destroyed_ || !on_drop_) return false;
  on_drop_(paths);
  return true;
}

MemoryControl& MemoryFormWindow::Get(std::string_view name) const {
  return FindByName(controls_, name, "control");
}

MemoryList& MemoryFormWindow::GetList(std::string_view name) const {
  return FindByName(lists_, name, "list");
}

MemoryMenuItem& MemoryFormWindow::Menu(std::string_view name) const {
  return FindByName(menu_, name, "menu entry");
}

std::vector<const MemoryMenuItem*> MemoryFormWindow::MenuChildren(std::string_view parent) const {
  std::vector<const MemoryMenuItem*> children;
  for (const auto& item : menu_) {
    if (item->Layout().parent == parent) children.push_back(item.get());
  }
  return children;
}

}  // namespace tarvik::platform::memory
