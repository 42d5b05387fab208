#include "platform/memory/FakeDesktop.h"

#include <algorithm>

namespace tarvik::platform::memory {

FakeDesktop::FakeDesktop() : log(&own_log) { windows_[kDesktop] = Window{"#32769", "", 0, {}}; }

FakeDesktop::Window* FakeDesktop::Find(WindowHandle window) {
  auto found = windows_.find(window);
  return found == windows_.end() ? nullptr : &found->second;
}

const FakeDesktop::Window* FakeDesktop::Find(WindowHandle window) const {
  auto found = windows_.find(window);
  return found == windows_.end() ? nullptr : &found->second;
}

WindowHandle FakeDesktop::TopLevelOf(WindowHandle window) const {
  const Window* w = Find(window);
  while (w && w->parent != kDesktop && w->parent != 0) {
    window = w->parent;
    w = Find(window);
  }
  return w ? window : 0;
}

bool FakeDesktop::Answers(WindowHandle window) const {
  const Window* top = Find(TopLevelOf(window));
  return top && !top->hung && answers_left_ != 0;
}

Reply FakeDesktop::Deliver(WindowHandle window, std::string entry) {
  if (!Find(window)) {
    Log(std::move(entry));
    return Reply::NoWindow;
  }
  if (!Answers(window)) {
    Log(entry + " (no answer)");
    return Reply::NoAnswer;
  }
  Log(std::move(entry));
  if (answers_left_ > 0) --answers_left_;
  return Reply::Answered;
}

WindowHandle FakeDesktop::AddTopLevel(std::string class_name, std::string title) {
  return AddChild(kDesktop, std::move(class_name), std::move(title));
}

WindowHandle FakeDesktop::AddChild(WindowHandle parent, std::string class_name, std::string text) {
  WindowHandle handle = next_++;
  windows_[handle] = Window{std::move(class_name), std::move(text), parent, {}};
  Find(parent)->children.push_back(handle);
  return handle;
}

void FakeDesktop::Close(WindowHandle window) {
  Window* w = Find(window);
  if (!w) return;
  for (WindowHandle child : std::vector<WindowHandle>(w->children)) Close(child);
  auto& siblings = Find(w->parent)->children;
  siblings.erase(std::remove(siblings.begin(), siblings.end(), window), siblings.end());
  windows_.erase(window);
}

void FakeDesktop::SetMinimized(WindowHandle window, bool minimized) { Find(window)->minimized = minimized; }
void FakeDesktop::SetHung(WindowHandle window, bool hung) { Find(TopLevelOf(window))->hung = hung; }
void FakeDesktop::StopAnsweringAfter(int messages) { answers_left_ = messages; }
void FakeDesktop::SetRefusesForeground(WindowHandle window) {
  Find(TopLevelOf(window))->refuses_foreground = true;
}
void FakeDesktop::SetTitleHidden(WindowHandle window, bool hidden) { Find(window)->title_hidden = hidden; }

std::string FakeDesktop::TextOf(WindowHandle window) const {
  const Window* w = Find(window);
  return w ? w->text : std::string();
}

void FakeDesktop::EnumTopLevel(const Visitor& visit) {
  for (WindowHandle top : std::vector<WindowHandle>(Find(kDesktop)->children)) {
    if (!visit(top)) return;
  }
}

bool FakeDesktop::VisitTree(WindowHandle parent, const Visitor& visit) {
  const Window* w = Find(parent);
  if (!w) return true;
  for (WindowHandle child : std::vector<WindowHandle>(w->children)) {
    if (!visit(child) || !VisitTree(child, visit)) return false;
  }
  return true;
}

void FakeDesktop::EnumDescendants(WindowHandle parent, const Visitor& visit) { VisitTree(parent, visit); }

WindowHandle FakeDesktop::Parent(WindowHandle window) {
  const Window* w = Find(window);
  return w && w->parent != kDesktop ? w->parent : 0;
}

WindowHandle FakeDesktop::FirstChild(WindowHandle window) {
  const Window* w = Find(window);
  return w && !w->children.empty() ? w->children.front() : 0;
}

WindowHandle FakeDesktop::NextSibling(WindowHandle window) {
  const Window* w = Find(window);
  if (!w) return 0;
  const auto& siblings = Find(w->parent)->children;
  auto at = std::find(siblings.begin(), siblings.end(), window);
  return at + 1 == siblings.end() ? 0 : *(at + 1);
}

WindowHandle FakeDesktop::FindChild(WindowHandle parent, WindowHandle after, std::string_view class_name) {
  const Window* w = Find(parent == 0 ? kDesktop : parent);
  if (!w) return 0;
  auto start = w->children.begin();
  if (after != 0) {
    start = std::find(w->children.begin(), w->children.end(), after);
    if (start == w->children.end()) return 0;
    ++start;
  }
  for (auto it = start; it != w->children.end(); ++it) {
    if (Find(*it)->class_name == class_name) return *it;
  }
  return 0;
}

std::string FakeDesktop::ClassName(WindowHandle window) {
  const Window* w = Find(window);
  return w ? w->class_name : std::string();
}

std::string FakeDesktop::Title(WindowHandle window) {
  ++title_reads;
  const Window* w = Find(window);
  return w && !w->title_hidden ? w->text : std::string();
}

bool FakeDesktop::IsHung(WindowHandle window) {
  const Window* top = Find(TopLevelOf(window));
  return top && top->hung;
}

Reply FakeDesktop::SetText(WindowHandle window, std::string_view text) {
  Reply reply = Deliver(window, "settext " + Name(window) + " " + std::string(text));
  if (reply == Reply::Answered) Find(window)->text = text;
  return reply;
}

TextReply FakeDesktop::GetText(WindowHandle window) {
  Reply reply = Deliver(window, "gettext " + Name(window));
  return {reply, reply == Reply::Answered ? Find(window)->text : std::string()};
}

Reply FakeDesktop::ButtonDown(WindowHandle window) { return Deliver(window, "buttondown " + Name(window)); }
Reply FakeDesktop::ButtonUp(WindowHandle window) { return Deliver(window, "buttonup " + Name(window)); }
Reply FakeDesktop::Ping(WindowHandle window) { return Deliver(window, "ping " + Name(window)); }

bool FakeDesktop::IsMinimized(WindowHandle window) {
  const Window* w = Find(window);
  return w && w->minimized;
}

void FakeDesktop::Restore(WindowHandle window) {
  Log("restore " + Name(window));
  // Restoring a window activates it, once its program carries it out.
  if (Answers(window)) {
    Find(window)->minimized = false;
    BringForward(window);
  }
}

void FakeDesktop::BringToForeground(WindowHandle window) {
  Log("foreground " + Name(window));
  if (Answers(window)) BringForward(window);
}

void FakeDesktop::BringForward(WindowHandle window) {
  WindowHandle top = TopLevelOf(window);
  if (!Find(top)->refuses_foreground) foreground = top;
}

bool FakeDesktop::WaitForForeground(WindowHandle window, int /*limit_ms*/) {
  return window != 0 && foreground == TopLevelOf(window);
}

Typing FakeDesktop::SendKeys(WindowHandle target, const std::vector<KeyStroke>& keys) {
  if (!WaitForForeground(target, 0)) return Typing::NotForeground;
  std::string entry = "keys";
  for (const auto& key : keys) {
    switch (key.kind) {
      case KeyStroke::Kind::Text: entry += " [" + key.text + "]"; break;
      case KeyStroke::Kind::AltChord: entry += " Alt+" + key.text; break;
      case KeyStroke::Kind::Key: entry += " " + key.text; break;
      case KeyStroke::Kind::Tab: entry += " Tab*" + std::to_string(key.count); break;
      case KeyStroke::Kind::Enter: entry += " Enter"; break;
      case KeyStroke::Kind::Escape: entry += " Esc"; break;
    }
  }
  const Reply reply = Deliver(target, entry);
  if (after_keys) after_keys();
  return reply == Reply::Answered ? Typing::Handled : Typing::NotHandled;
}

}  // namespace tarvik::platform::memory
