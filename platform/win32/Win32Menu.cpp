#include "platform/win32/Win32Menu.h"

#include "platform/win32/Utf.h"

namespace tarvik::platform::win32 {

namespace {

std::wstring DoubleAmpersands(const std::wstring& text) {
  std::wstring out;
  for (wchar_t c : text) {
    out += c;
    if (c == L'&') out += c;
  }
  return out;
}

}  // namespace

Win32MenuItem::Win32MenuItem(Win32Menu& menu, const MenuDesign& layout, UINT id)
    : menu_(menu), layout_(layout), id_(id), caption_(layout.caption) {}

void Win32MenuItem::SetCaption(std::string_view caption) {
  caption_ = caption;
  menu_.Rebuild(layout_.parent);
}

void Win32MenuItem::SetVisible(bool visible) {
  if (visible_ == visible) return;
  visible_ = visible;
  menu_.Rebuild(layout_.parent);
}

void Win32MenuItem::SetEnabled(bool enabled) {
  if (enabled_ == enabled) return;
  enabled_ = enabled;
  menu_.Rebuild(layout_.parent);
}

Win32MenuItem& Win32Menu::Add(const MenuDesign& layout, UINT id) {
  if (!bar_) {
    bar_ = CreateMenu();
    SetMenu(window_, bar_);
  }
  items_.push_back(std::make_unique<Win32MenuItem>(*this, layout, id));
  Win32MenuItem& item = *items_.back();
  if (layout.parent.empty()) item.SetPopup(CreatePopupMenu());
  Rebuild(layout.parent);
  return item;
}

HMENU Win32Menu::MenuOf(const std::string& parent) const {
  if (parent.empty()) return bar_;
  for (const auto& item : items_) {
    if (item->Layout().name == parent) return item->Popup();
  }
  return nullptr;
}

void Win32Menu::Rebuild(const std::string& parent) {
  HMENU menu = MenuOf(parent);
  if (!menu) return;
  // RemoveMenu, unlike DeleteMenu, leaves the popups alive for re-adding.
  while (GetMenuItemCount(menu) > 0) RemoveMenu(menu, 0, MF_BYPOSITION);
  for (const auto& item : items_) {
    if (item->Layout().parent != parent || !item->Visible()) continue;
    UINT flags = item->Enabled() ? MF_ENABLED : MF_GRAYED;
    std::wstring caption = Widen(item->Caption());
    // A path's "&" is part of the name, not an access key.
    if (item->Layout().literal) caption = DoubleAmpersands(caption);
    if (item->Layout().separator) {
      AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    } else if (item->Popup()) {
      AppendMenuW(menu, MF_POPUP | flags, reinterpret_cast<UINT_PTR>(item->Popup()), caption.c_str());
    } else {
      AppendMenuW(menu, MF_STRING | flags, item->Id(), caption.c_str());
    }
  }
  if (parent.empty()) DrawMenuBar(window_);
}

bool Win32Menu::Choose(UINT id) {
  for (const auto& item : items_) {
    if (item->Id() == id && !item->Popup()) {
      // Windows sends no command for a disabled or hidden entry; neither
      // may a command posted by another program run one.
      if (item->Enabled() && item->Visible()) item->Choose();
      return true;
    }
  }
  return false;
}

bool Win32Menu::ChooseShortcut(char key, bool shift) {
  for (const auto& item : items_) {
    for (const MenuShortcut& shortcut : item->Layout().shortcuts) {
      if (shortcut.key != key || shortcut.shift != shift) continue;
      // As the menu itself: a greyed entry does nothing.
      if (item->Enabled() && item->Visible()) item->Choose();
      return true;
    }
  }
  return false;
}

}  // namespace tarvik::platform::win32
