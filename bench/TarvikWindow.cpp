#include "bench/TarvikWindow.h"

#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "app/MainWindowDesign.h"
#include "bench/ChildProgram.h"

namespace tarvik::bench {

namespace {

// The ids Tarvik gives its controls and menu entries, in design order.
constexpr int kFirstControlId = 100;
constexpr int kFirstMenuId = 500;
constexpr UINT kAnswerMs = 5000;
constexpr int kMessageTextId = 0xFFFF;

template <class Design>
int IdByName(const Design& design, std::string_view name, int first_id) {
  for (std::size_t i = 0; i < design.size(); ++i) {
    if (design[i].name == name) return first_id + static_cast<int>(i);
  }
  throw std::invalid_argument("Tarvik has no control or menu named " + std::string(name));
}

std::optional<LRESULT> Ask(HWND window, UINT message, WPARAM wparam = 0, LPARAM lparam = 0) {
  DWORD_PTR result = 0;
  if (!SendMessageTimeoutW(window, message, wparam, lparam, SMTO_NORMAL, kAnswerMs, &result)) {
    return std::nullopt;
  }
  return static_cast<LRESULT>(result);
}

std::wstring TextOf(HWND window) {
  auto length = Ask(window, WM_GETTEXTLENGTH);
  if (!length || *length < 0) return {};
  std::wstring text(static_cast<std::size_t>(*length) + 1, L'\0');
  auto copied = Ask(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()));
  text.resize(copied && *copied > 0 ? static_cast<std::size_t>(*copied) : 0);
  return text;
}

}  // namespace

HWND TarvikWindow::Control(std::string_view name) const {
  return GetDlgItem(main_, IdByName(app::MainWindowControls(), name, kFirstControlId));
}

bool TarvikWindow::PostMenu(std::string_view menu) const {
  int id = IdByName(app::MainWindowMenus(), menu, kFirstMenuId);
  return PostMessageW(main_, WM_COMMAND, MAKEWPARAM(id, 0), 0) != FALSE;
}

bool TarvikWindow::PostClick(std::string_view button) const {
  HWND control = Control(button);
  return PostMessageW(main_, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(control), BN_CLICKED),
                      reinterpret_cast<LPARAM>(control)) != FALSE;
}

bool TarvikWindow::PostSelectionChange(std::string_view list) const {
  HWND control = Control(list);
  return PostMessageW(main_, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(control), LBN_SELCHANGE),
                      reinterpret_cast<LPARAM>(control)) != FALSE;
}

bool TarvikWindow::WaitUntilAnswering(DWORD limit_ms) const {
  DWORD_PTR ignored = 0;
  return SendMessageTimeoutW(main_, WM_NULL, 0, 0, SMTO_NORMAL, limit_ms, &ignored) != 0;
}

std::optional<double> TarvikWindow::WhenPostedMessagesTaken(const Stopwatch& clock,
                                                            DWORD limit_ms) const {
  // The mark: a posted change of a button's style, which Windows keeps
  // where any process can read it without the program's help. The button
  // is drawn as a default button until the mark is taken away again.
  HWND mark = Control("Command_Width");
  auto style_is = [&](LONG_PTR type) {
    return (GetWindowLongPtrW(mark, GWL_STYLE) & BS_TYPEMASK) == type;
  };
  auto post_and_wait = [&](LONG_PTR type) {
    PostMessageW(mark, BM_SETSTYLE, static_cast<WPARAM>(type), TRUE);
    Stopwatch waiting;
    // Yielding rather than sleeping: a sleep of 1 ms takes up to 2 under
    // Wine, which would count into every figure.
    while (!style_is(type)) {
      if (waiting.ElapsedMs() > limit_ms) return false;
      SwitchToThread();
    }
    return true;
  };
  if (!post_and_wait(BS_DEFPUSHBUTTON)) return std::nullopt;
  double taken = clock.ElapsedMs();
  if (!post_and_wait(BS_PUSHBUTTON)) return std::nullopt;
  return taken;
}

bool TarvikWindow::SetText(std::string_view control, const std::wstring& text) const {
  return Ask(Control(control), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str())).has_value();
}

std::wstring TarvikWindow::Caption() const { return TextOf(main_); }

int TarvikWindow::ListCount(std::string_view list) const {
  return static_cast<int>(Ask(Control(list), LB_GETCOUNT).value_or(-1));
}

std::wstring TarvikWindow::ListRow(std::string_view list, int index) const {
  HWND control = Control(list);
  auto length = Ask(control, LB_GETTEXTLEN, static_cast<WPARAM>(index));
  if (!length || *length < 0) return {};
  std::wstring text(static_cast<std::size_t>(*length) + 1, L'\0');
  auto copied = Ask(control, LB_GETTEXT, static_cast<WPARAM>(index),
                    reinterpret_cast<LPARAM>(text.data()));
  text.resize(copied && *copied > 0 ? static_cast<std::size_t>(*copied) : 0);
  return text;
}

HWND TarvikWindow::MessageBox() const { return FindVisibleWindow(process_id_, L"#32770"); }

HWND TarvikWindow::WaitForMessageBox(DWORD limit_ms) const {
  Stopwatch clock;
  for (;;) {
    if (HWND box = MessageBox()) return box;
    if (clock.ElapsedMs() > limit_ms) return nullptr;
    Sleep(1);
  }
}

std::wstring TarvikWindow::MessageText(HWND box) const {
  return TextOf(GetDlgItem(box, kMessageTextId));
}

bool TarvikWindow::Answer(HWND box, int button, DWORD limit_ms) const {
  PostMessageW(box, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), 0);
  Stopwatch clock;
  while (IsWindow(box) && IsWindowVisible(box)) {
    if (clock.ElapsedMs() > limit_ms) return false;
    Sleep(1);
  }
  return true;
}

}  // namespace tarvik::bench
