#include "bench/TarvikBesideHungTarget.h"

#include <stdexcept>
#include <string>

#include "app/MainWindowDesign.h"
#include "app/win32/WindowClasses.h"

namespace tarvik::bench {

namespace {

// Win32FormWindow numbers the controls from 100 in the design's order.
constexpr int kFirstControlId = 100;
constexpr UINT kAnswerMs = 2000;
constexpr wchar_t kMessageBoxClass[] = L"#32770";
constexpr int kMessageTextId = 0xFFFF;

bool Send(HWND window, UINT message, WPARAM wparam, LPARAM lparam, UINT limit_ms,
          DWORD_PTR* result = nullptr) {
  DWORD_PTR ignored = 0;
  return SendMessageTimeoutW(window, message, wparam, lparam, SMTO_NORMAL, limit_ms,
                             result ? result : &ignored) != 0;
}

std::wstring TextOf(HWND window) {
  wchar_t text[512] = {};
  DWORD_PTR copied = 0;
  if (!Send(window, WM_GETTEXT, 512, reinterpret_cast<LPARAM>(text), kAnswerMs, &copied)) return {};
  return std::wstring(text, copied);
}

WPARAM Notification(HWND control, WORD code) {
  return MAKEWPARAM(static_cast<WORD>(GetDlgCtrlID(control)), code);
}

}  // namespace

TarvikBesideHungTarget::TarvikBesideHungTarget(const wchar_t* standin_exe,
                                               const wchar_t* standin_class, int timeout_ms)
    : timeout_ms_(timeout_ms),
      standin_(PathBesideThisProgram(standin_exe), clock_, L"--hang-after-start"),
      standin_window_(WaitForWindow(standin_, standin_class, nullptr, clock_, timeout_ms).window),
      tarvik_(PathBesideThisProgram(L"tarvik.exe"), clock_),
      main_(WaitForWindow(tarvik_, app::win32::kMainClass, nullptr, clock_, timeout_ms).window) {
  // The window shows before the message loop runs; an answer means it runs.
  if (!Send(main_, WM_NULL, 0, 0, static_cast<UINT>(timeout_ms))) {
    throw std::runtime_error("Tarvik's main window does not answer");
  }
}

HWND TarvikBesideHungTarget::Control(std::string_view name) const {
  const auto& design = app::MainWindowControls();
  for (size_t i = 0; i < design.size(); ++i) {
    if (design[i].name == name) return GetDlgItem(main_, kFirstControlId + static_cast<int>(i));
  }
  throw std::invalid_argument("no control named " + std::string(name));
}

void TarvikBesideHungTarget::ChooseTarget(int index) const {
  HWND combo = Control("Combo_WhichApp");
  Send(combo, CB_SETCURSEL, static_cast<WPARAM>(index), 0, kAnswerMs);
  Send(main_, WM_COMMAND, Notification(combo, CBN_SELCHANGE), reinterpret_cast<LPARAM>(combo),
       kAnswerMs);
}

void TarvikBesideHungTarget::Type(const std::wstring& name, const std::wstring& latitude,
                                  const std::wstring& longitude) const {
  Send(Control("Text_Waypoint"), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(name.c_str()), kAnswerMs);
  Send(Control("Text_Latitude"), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(latitude.c_str()),
       kAnswerMs);
  Send(Control("Text_Longitude"), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(longitude.c_str()),
       kAnswerMs);
}

bool TarvikBesideHungTarget::PostClick(std::string_view button) const {
  return PostMessageW(Control(button), BM_CLICK, 0, 0) != FALSE;
}

bool TarvikBesideHungTarget::PostPickFirstRow() const {
  HWND list = Control("List_Entire");
  return Send(list, LB_SETCURSEL, 0, 0, kAnswerMs) &&
         PostMessageW(main_, WM_COMMAND, Notification(list, LBN_SELCHANGE),
                      reinterpret_cast<LPARAM>(list)) != FALSE;
}

TarvikBesideHungTarget::Freeze TarvikBesideHungTarget::Measure(
    const std::function<bool()>& post) const {
  Stopwatch clock;
  if (!post()) throw std::runtime_error("the command could not be started");
  // An answer without a box came before the command started, or between
  // two of its steps: ask again.
  for (;;) {
    const double left = timeout_ms_ - clock.ElapsedMs();
    if (left <= 0) throw std::runtime_error("no message box within the time limit");
    const bool answered = Send(main_, WM_NULL, 0, 0, static_cast<UINT>(left));
    HWND box = answered ? FindVisibleWindow(tarvik_.Id(), kMessageBoxClass) : nullptr;
    if (box) {
      Freeze freeze{clock.ElapsedMs(), TextOf(GetDlgItem(box, kMessageTextId))};
      AnswerMessageBoxes();
      return freeze;
    }
    Sleep(1);
  }
}

void TarvikBesideHungTarget::AnswerMessageBoxes() const {
  Stopwatch clock;
  while (HWND box = FindVisibleWindow(tarvik_.Id(), kMessageBoxClass)) {
    PostMessageW(box, WM_COMMAND, IDOK, 0);
    if (clock.ElapsedMs() > timeout_ms_) throw std::runtime_error("a message box stays up");
    Sleep(20);
  }
  Send(main_, WM_NULL, 0, 0, static_cast<UINT>(timeout_ms_));
}

}  // namespace tarvik::bench
