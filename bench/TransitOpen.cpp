#include "bench/TransitOpen.h"

#include <windows.h>

#include <cstdio>
#include <exception>
#include <functional>
#include <optional>
#include <stdexcept>
#include <string>

#include "app/win32/WindowClasses.h"
#include "bench/ChildProgram.h"
#include "bench/TransitParts.h"
#include "platform/win32/Utf.h"

namespace tarvik::bench {

namespace {

using app::win32::kMainClass;
using app::win32::kTransitClass;
constexpr const wchar_t* kPlacementClass = L"RouteEditorPlacement";
// The placement's x among the stand-in Placement window's children,
// counted from 1 (standins/README.md).
constexpr int kPlacementXAt = 11;
constexpr DWORD kPollMs = 50;
constexpr UINT kAnswerMs = 2000;

// Polls `done` until it holds or the time runs out.
bool WaitUntil(const std::function<bool()>& done, int timeout_ms) {
  Stopwatch clock;
  while (!done()) {
    if (clock.ElapsedMs() > timeout_ms) return false;
    Sleep(kPollMs);
  }
  return true;
}

HWND FindTopWindow(const wchar_t* window_class) { return FindWindowW(window_class, nullptr); }

struct ChildSearch {
  std::function<bool(HWND)> matches;
  HWND found = nullptr;
  std::exception_ptr failure;
};

// No exception may cross the enumeration; it is carried out and rethrown.
BOOL CALLBACK CheckChild(HWND child, LPARAM data) noexcept {
  auto& search = *reinterpret_cast<ChildSearch*>(data);
  try {
    if (!search.matches(child)) return TRUE;
    search.found = child;
  } catch (...) {
    search.failure = std::current_exception();
  }
  return FALSE;
}

HWND FindDescendant(HWND parent, std::function<bool(HWND)> matches) {
  ChildSearch search{std::move(matches), nullptr, nullptr};
  EnumChildWindows(parent, &CheckChild, reinterpret_cast<LPARAM>(&search));
  if (search.failure) std::rethrow_exception(search.failure);
  return search.found;
}

bool IsButtonWithText(HWND window, const std::wstring& text) {
  wchar_t name[64];
  if (!GetClassNameW(window, name, 64)) return false;
  // Class names are case-insensitive in Windows.
  if (CompareStringOrdinal(name, -1, L"Button", -1, TRUE) != CSTR_EQUAL) return false;
  return TextOf(window) == text;
}

HWND NthChild(HWND parent, int n) {
  HWND child = GetWindow(parent, GW_CHILD);
  for (int i = 1; i < n && child; ++i) child = GetWindow(child, GW_HWNDNEXT);
  return child;
}

std::wstring TextOrEmpty(HWND window) { return TextOf(window).value_or(L""); }

bool SetText(HWND window, const std::wstring& text) {
  return SendMessageTimeoutW(window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()),
                             SMTO_ABORTIFHUNG, kAnswerMs, nullptr) != 0;
}

bool Fail(const char* what) {
  std::printf("error: %s\n", what);
  return false;
}

HWND PressTransit(HWND main, int timeout_ms) {
  HWND button = FindDescendant(main, [](HWND w) { return IsButtonWithText(w, L"Transit"); });
  if (!button) return nullptr;
  HWND before = FindTopWindow(kTransitClass);
  std::printf("before the press the Transit window was %s\n",
              before && IsWindowVisible(before) ? "already shown" : "not shown");
  DWORD_PTR ignored = 0;
  if (!SendMessageTimeoutW(button, BM_CLICK, 0, 0, SMTO_ABORTIFHUNG, kAnswerMs, &ignored)) {
    return nullptr;
  }
  HWND transit = nullptr;
  WaitUntil([&] { return (transit = FindTopWindow(kTransitClass)) && IsWindowVisible(transit); },
            timeout_ms);
  return transit && IsWindowVisible(transit) ? transit : nullptr;
}

// Moves the stand-in's placement and back; the window must follow both.
bool FollowsThePlacement(HWND transit, int timeout_ms) {
  HWND placement = FindTopWindow(kPlacementClass);
  HWND x = placement ? NthChild(placement, kPlacementXAt) : nullptr;
  if (!x) return Fail("no Placement window of the stand-in");
  HWND dx = TransitPart(transit, "Text_DX");
  const std::wstring original = TextOrEmpty(x);
  const std::wstring dx_before = TextOrEmpty(dx);
  const std::wstring moved = original == L"123.000" ? L"321.000" : L"123.000";
  if (!SetText(x, moved)) return Fail("the stand-in did not take a new placement");
  const bool followed = WaitUntil([&] { return TextOrEmpty(dx) != dx_before; }, timeout_ms);
  std::printf("placement x %s -> %s: DX %s -> %s\n", platform::win32::Narrow(original).c_str(),
              platform::win32::Narrow(moved).c_str(), platform::win32::Narrow(dx_before).c_str(),
              Shown(dx).c_str());
  if (!SetText(x, original)) return Fail("the stand-in did not take its placement back");
  const bool back = WaitUntil([&] { return TextOrEmpty(dx) == dx_before; }, timeout_ms);
  std::printf("placement x back to %s: DX %s\n", platform::win32::Narrow(original).c_str(),
              Shown(dx).c_str());
  return followed && back;
}

bool CheckTransit(int timeout_ms) {
  HWND main = nullptr;
  if (!WaitUntil([&] { return (main = FindTopWindow(kMainClass)) && IsWindowVisible(main); },
                 timeout_ms)) {
    return Fail("no visible Tarvik main window");
  }
  HWND transit = PressTransit(main, timeout_ms);
  if (!transit) return Fail("pressing Transit showed no Transit window");
  HWND dx = TransitPart(transit, "Text_DX");
  HWND latitude = TransitPart(transit, "TextLatitude");
  // Before the first passes the boxes hold their design captions, then blanks.
  const bool filled = WaitUntil(
      [&] {
        const std::wstring text = TextOrEmpty(dx);
        return !text.empty() && text != L"TextDX" && !TextOrEmpty(latitude).empty();
      },
      timeout_ms);
  HWND info = TransitPart(transit, "Label_Info");
  std::printf("the Transit window shows: DX %s %s, DZ %s, DY %s, latitude %s, longitude %s; "
              "message %s\n",
              Shown(dx).c_str(), Shown(TransitPart(transit, "DXLabel")).c_str(),
              Shown(TransitPart(transit, "Text_DZ")).c_str(),
              Shown(TransitPart(transit, "Text_DY")).c_str(), Shown(latitude).c_str(),
              Shown(TransitPart(transit, "TextLongitude")).c_str(),
              info && IsWindowVisible(info) ? Shown(info).c_str() : "hidden");
  if (!filled) return Fail("the Transit window did not fill its boxes");
  if (!FollowsThePlacement(transit, timeout_ms)) {
    return Fail("the Transit window did not follow the placement");
  }
  return true;
}

}  // namespace

int OpenTarvikTransit(int timeout_ms) {
  if (!CheckTransit(timeout_ms)) return 1;
  std::printf("Transit window open and measuring\n");
  return 0;
}

}  // namespace tarvik::bench
