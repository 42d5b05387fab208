#include "platform/win32/Win32WindowSystem.h"

#include <algorithm>
#include <exception>
#include <vector>

#include "platform/win32/KeyInput.h"
#include "platform/win32/Utf.h"

namespace tarvik::platform::win32 {

namespace {

// Titles shorter than this are read in one call.
constexpr int kShortTitle = 256;
constexpr DWORD kForegroundPollMs = 5;

HWND AsHwnd(WindowHandle window) { return reinterpret_cast<HWND>(window); }
WindowHandle AsHandle(HWND hwnd) { return reinterpret_cast<WindowHandle>(hwnd); }

struct Sent {
  Reply reply = Reply::NoWindow;
  LRESULT result = 0;
};

// SendMessageTimeout with abort-if-hung. It fails alike for a window that
// does not answer and for one that has gone; only the first is silence.
// SMTO_BLOCK: no other program's message is handled here meanwhile, so no
// command of this program runs inside another.
Sent Send(WindowHandle window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (window == 0) return {};
  DWORD_PTR result = 0;
  if (!SendMessageTimeoutW(AsHwnd(window), message, wparam, lparam, SMTO_ABORTIFHUNG | SMTO_BLOCK,
                           kAnswerLimitMs, &result)) {
    return {IsWindow(AsHwnd(window)) ? Reply::NoAnswer : Reply::NoWindow, 0};
  }
  return {Reply::Answered, static_cast<LRESULT>(result)};
}

DWORD ProcessOf(HWND window) {
  DWORD process = 0;
  if (window) GetWindowThreadProcessId(window, &process);
  return process;
}

// A dialog box the program has opened counts as the program's: it is where
// its keys go.
bool OwnsForeground(WindowHandle window) {
  const DWORD process = ProcessOf(AsHwnd(window));
  return process != 0 && ProcessOf(GetForegroundWindow()) == process;
}

struct EnumContext {
  const WindowSystem::Visitor* visit;
  std::exception_ptr failure;
};

BOOL CALLBACK VisitOne(HWND hwnd, LPARAM data) {
  auto* context = reinterpret_cast<EnumContext*>(data);
  // No exception may cross back into user32: it stops the enumeration and
  // is thrown again once user32 has returned.
  try {
    return (*context->visit)(AsHandle(hwnd)) ? TRUE : FALSE;
  } catch (...) {
    context->failure = std::current_exception();
    return FALSE;
  }
}

}  // namespace

void Win32WindowSystem::EnumTopLevel(const Visitor& visit) {
  EnumContext context{&visit, nullptr};
  EnumWindows(&VisitOne, reinterpret_cast<LPARAM>(&context));
  if (context.failure) std::rethrow_exception(context.failure);
}

void Win32WindowSystem::EnumDescendants(WindowHandle parent, const Visitor& visit) {
  if (parent == 0) return;
  EnumContext context{&visit, nullptr};
  EnumChildWindows(AsHwnd(parent), &VisitOne, reinterpret_cast<LPARAM>(&context));
  if (context.failure) std::rethrow_exception(context.failure);
}

WindowHandle Win32WindowSystem::Desktop() { return AsHandle(GetDesktopWindow()); }

WindowHandle Win32WindowSystem::Parent(WindowHandle window) {
  return window == 0 ? 0 : AsHandle(GetParent(AsHwnd(window)));
}

WindowHandle Win32WindowSystem::FirstChild(WindowHandle window) {
  return window == 0 ? 0 : AsHandle(GetWindow(AsHwnd(window), GW_CHILD));
}

WindowHandle Win32WindowSystem::NextSibling(WindowHandle window) {
  return window == 0 ? 0 : AsHandle(GetWindow(AsHwnd(window), GW_HWNDNEXT));
}

WindowHandle Win32WindowSystem::FindChild(WindowHandle parent, WindowHandle after,
                                          std::string_view class_name) {
  if (parent == 0) return 0;
  return AsHandle(FindWindowExW(AsHwnd(parent), AsHwnd(after), Widen(class_name).c_str(), nullptr));
}

std::string Win32WindowSystem::ClassName(WindowHandle window) {
  // Class names are at most 256 characters by definition.
  wchar_t name[257] = {};
  int length = window == 0 ? 0 : GetClassNameW(AsHwnd(window), name, 257);
  return Narrow(std::wstring_view(name, static_cast<size_t>(length)));
}

std::string Win32WindowSystem::Title(WindowHandle window) {
  if (window == 0) return {};
  // GetWindowText does not wait on a hung window of another program: it
  // reads the title the window manager keeps. Most titles are short, and
  // one call instead of two matters to a search that reads hundreds.
  wchar_t short_title[kShortTitle] = {};
  int copied = GetWindowTextW(AsHwnd(window), short_title, kShortTitle);
  if (copied < kShortTitle - 1) {
    return Narrow(std::wstring_view(short_title, static_cast<size_t>(copied)));
  }
  int length = GetWindowTextLengthW(AsHwnd(window));
  std::vector<wchar_t> buffer(static_cast<size_t>(length) + 1, L'\0');
  copied = GetWindowTextW(AsHwnd(window), buffer.data(), length + 1);
  return Narrow(std::wstring_view(buffer.data(), static_cast<size_t>(copied)));
}

bool Win32WindowSystem::IsHung(WindowHandle window) {
  return window != 0 && IsHungAppWindow(AsHwnd(window));
}

Reply Win32WindowSystem::SetText(WindowHandle window, std::string_view text) {
  std::wstring wide = Widen(text);
  return Send(window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(wide.c_str())).reply;
}

TextReply Win32WindowSystem::GetText(WindowHandle window) {
  // Every message to another program is a round trip through it: a short
  // text, such as every number the Transit window reads, comes in one.
  wchar_t short_text[kShortTitle] = {};
  const Sent short_copied =
      Send(window, WM_GETTEXT, kShortTitle, reinterpret_cast<LPARAM>(short_text));
  if (short_copied.reply != Reply::Answered) return {short_copied.reply, {}};
  if (short_copied.result < kShortTitle - 1) {
    const size_t count = static_cast<size_t>(std::max<LRESULT>(short_copied.result, 0));
    return {Reply::Answered, Narrow(std::wstring_view(short_text, count))};
  }
  const Sent length = Send(window, WM_GETTEXTLENGTH, 0, 0);
  if (length.reply != Reply::Answered) return {length.reply, {}};
  if (length.result <= 0) return {Reply::Answered, {}};
  // Sized from the reported length; should the text grow meanwhile, the
  // window copies no more than the buffer holds.
  std::vector<wchar_t> buffer(static_cast<size_t>(length.result) + 1, L'\0');
  const Sent copied =
      Send(window, WM_GETTEXT, buffer.size(), reinterpret_cast<LPARAM>(buffer.data()));
  if (copied.reply != Reply::Answered) return {copied.reply, {}};
  const size_t count =
      std::min(static_cast<size_t>(std::max<LRESULT>(copied.result, 0)), buffer.size() - 1);
  return {Reply::Answered, Narrow(std::wstring_view(buffer.data(), count))};
}

Reply Win32WindowSystem::ButtonDown(WindowHandle window) {
  return Send(window, WM_LBUTTONDOWN, 0, 0).reply;
}

Reply Win32WindowSystem::ButtonUp(WindowHandle window) {
  return Send(window, WM_LBUTTONUP, 0, 0).reply;
}

Reply Win32WindowSystem::Ping(WindowHandle window) { return Send(window, WM_NULL, 0, 0).reply; }

bool Win32WindowSystem::IsMinimized(WindowHandle window) {
  return window != 0 && IsIconic(AsHwnd(window));
}

void Win32WindowSystem::Restore(WindowHandle window) {
  // The asynchronous form does not wait for a hung program.
  if (window != 0) ShowWindowAsync(AsHwnd(window), SW_RESTORE);
}

void Win32WindowSystem::BringToForeground(WindowHandle window) {
  // The switch to another process completes once that process has taken
  // it, later than this returns; WaitForForeground sees it. A child window,
  // such as Mosaic's pane, is refused.
  if (window != 0) SetForegroundWindow(AsHwnd(window));
}

bool Win32WindowSystem::WaitForForeground(WindowHandle window, int limit_ms) {
  if (window == 0) return false;
  const ULONGLONG deadline = GetTickCount64() + static_cast<ULONGLONG>(std::max(limit_ms, 0));
  for (;;) {
    if (OwnsForeground(window)) return true;
    if (GetTickCount64() >= deadline) return false;
    Sleep(kForegroundPollMs);
  }
}

Typing Win32WindowSystem::SendKeys(WindowHandle target, const std::vector<KeyStroke>& keys) {
  // Checked just before the keys go: they land wherever the focus is.
  if (!OwnsForeground(target)) return Typing::NotForeground;
  return TypeAndWait(keys, kKeysLimitMs) ? Typing::Handled : Typing::NotHandled;
}

}  // namespace tarvik::platform::win32
