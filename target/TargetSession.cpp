#include "target/TargetSession.h"

#include <utility>

#include "target/Module1.h"

namespace tarvik::target {

namespace {

using platform::Reply;

// A restored or activated program of a healthy desktop comes forward within
// a few tens of milliseconds; one that is not there after a second will not
// come, and the command still ends within its budget.
constexpr int kForegroundLimitMs = 1000;

}  // namespace

TargetSession::TargetSession(platform::WindowSystem& windows, std::string_view program)
    : windows_(windows), program_(program) {}

std::string TargetSession::NotRespondingText() const { return program_ + " is not responding."; }

bool TargetSession::MaySend(WindowHandle window) {
  if (!answering_) return false;
  // The window system knows a hung program without waiting for it.
  if (window != 0 && windows_.IsHung(window)) answering_ = false;
  return answering_;
}

void TargetSession::Note(Reply reply) {
  if (reply == Reply::NoAnswer) answering_ = false;
}

void TargetSession::SetText(WindowHandle window, std::string_view text) {
  if (MaySend(window)) Note(windows_.SetText(window, text));
}

std::optional<std::string> TargetSession::GetText(WindowHandle window) {
  if (!MaySend(window)) return std::nullopt;
  platform::TextReply reply = windows_.GetText(window);
  Note(reply.reply);
  if (reply.reply == Reply::NoAnswer) return std::nullopt;
  return std::move(reply.text);
}

void TargetSession::ButtonDown(WindowHandle window) {
  if (MaySend(window)) Note(windows_.ButtonDown(window));
}

void TargetSession::ButtonUp(WindowHandle window) {
  if (MaySend(window)) Note(windows_.ButtonUp(window));
}

bool TargetSession::Ping(WindowHandle window) {
  if (MaySend(window)) Note(windows_.Ping(window));
  return answering_;
}

void TargetSession::Activate(Module1& finder, WindowHandle window) {
  if (MaySend(window)) finder.ActivateWindow(window);
}

bool TargetSession::WaitForForeground(WindowHandle window) {
  if (!MaySend(window)) return false;
  if (!windows_.WaitForForeground(window, kForegroundLimitMs)) answering_ = false;
  return answering_;
}

bool TargetSession::Type(WindowHandle target, const std::vector<platform::KeyStroke>& keys) {
  if (!MaySend(target)) return false;
  if (windows_.SendKeys(target, keys) != platform::Typing::Handled) answering_ = false;
  return answering_;
}

}  // namespace tarvik::target
