#include "platform/win32/Win32WindowSystem.h"

#include <algorithm>
#include <exception>
#include <optional>
#include <vector>

#include "platform/win32/KeyInput.h"
#include "platform/win32/Utf.h"

namespace tarvik::platform::win32 {

namespace {

// Long enough for any healthy program, short enough that a hung one costs
// the user a moment and not the session.
constexpr UINT kMessageTimeoutMs = 1000;
constexpr DWORD kForegroundWaitMs = 1000;
// Titles shorter than this are read in one call.
constexpr int kShortTitle = 256;

HWND AsHwnd(WindowHandle window) { return reinterpret_cast<HWND>(window); }
WindowHandle AsHandle(HWND hwnd) { return reinterpret_cast<WindowHandle>(hwnd); }

// SendMessageTimeout with abort-if-hung; nullopt when the window did not answer.
std::optional<LRESULT> Send(WindowHandle window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (window == 0) return std::nullopt;
  DWORD_PTR result = 0;
  if (!SendMessageTimeoutW(AsHwnd(window), message, wparam, lparam,
                           SMTO_ABORTIFHUNG | SMTO_BLOCK, kMessageTimeoutMs, &result)) {
    return std::nullopt;
  }
  return static_cast<LRESULT>(result);
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

void Win32WindowSystem::SetText(WindowHandle window, std::string_view text) {
  std::wstring wide = Widen(text);
  Send(window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(wide.c_str()));
}

std::string Win32WindowSystem::GetText(WindowHandle window) {
  // Every message to another program is a round trip through it: a short
  // text, such as every number the Transit window reads, comes in one.
  wchar_t short_text[kShortTitle] = {};
  auto short_copied = Send(window, WM_GETTEXT, kShortTitle, reinterpret_cast<LPARAM>(short_text));
  if (!short_copied) return {};
  if (*short_copied < kShortTitle - 1) {
    const size_t count = static_cast<size_t>(std::max<LRESULT>(*short_copied, 0));
    return Narrow(std::wstring_view(short_text, count));
  }
  auto length = Send(window, WM_GETTEXTLENGTH, 0, 0);
  if (!length || *length <= 0) return {};
  // Sized from the reported length; should the text grow meanwhile, the
  // window copies no more than the buffer holds.
  std::vector<wchar_t> buffer(static_cast<size_t>(*length) + 1, L'\0');
  auto copied = Send(window, WM_GETTEXT, buffer.size(), reinterpret_cast<LPARAM>(buffer.data()));
  if (!copied || *copied <= 0) return {};
  size_t count = std::min(static_cast<size_t>(*copied), buffer.size() - 1);
  return Narrow(std::wstring_view(buffer.data(), count));
}

void Win32WindowSystem::ButtonDown(WindowHandle window) { Send(window, WM_LBUTTONDOWN, 0, 0); }

void Win32WindowSystem::ButtonUp(WindowHandle window) { Send(window, WM_LBUTTONUP, 0, 0); }

bool Win32WindowSystem::IsMinimized(WindowHandle window) {
  return window != 0 && IsIconic(AsHwnd(window));
}

void Win32WindowSystem::Restore(WindowHandle window) {
  // The asynchronous form does not wait for a hung program.
  if (window != 0) ShowWindowAsync(AsHwnd(window), SW_RESTORE);
}

void Win32WindowSystem::BringToForeground(WindowHandle window) {
  if (window == 0) return;
  // The switch to another process completes later than the call returns:
  // keys sent at once would go astray, so wait until it has happened. A
  // refused switch, as for a child window such as Mosaic's pane, never
  // happens and is not waited for.
  if (!SetForegroundWindow(AsHwnd(window))) return;
  HWND root = GetAncestor(AsHwnd(window), GA_ROOT);
  DWORD start = GetTickCount();
  while (GetForegroundWindow() != root && GetTickCount() - start < kForegroundWaitMs) Sleep(5);
}

void Win32WindowSystem::SendKeys(const std::vector<KeyStroke>& keys) { TypeAndWait(keys); }

}  // namespace tarvik::platform::win32
