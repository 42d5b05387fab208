#include "ControlReader.h"

#include <stdexcept>
#include <string>
#include <vector>

#include "app/MainWindowDesign.h"
#include "app/frmAbout.h"

namespace tarvik::e2e {

namespace {

constexpr int kFirstControlId = 100;
constexpr int kFirstMenuId = 500;
constexpr UINT kAnswerMilliseconds = 1000;

template <class Design>
int IdByName(const Design& design, std::string_view name, int first_id) {
  for (size_t i = 0; i < design.size(); ++i) {
    if (design[i].name == name) return first_id + static_cast<int>(i);
  }
  throw std::invalid_argument("no control or menu named " + std::string(name));
}

// The item's length first: the text message has no room for a size.
std::optional<std::wstring> ItemText(HWND box, UINT length_message, UINT text_message, int index) {
  auto length = Ask(box, length_message, static_cast<WPARAM>(index));
  if (!length || *length < 0) return std::nullopt;
  std::wstring text(static_cast<size_t>(*length) + 1, L'\0');
  auto copied = Ask(box, text_message, static_cast<WPARAM>(index),
                    reinterpret_cast<LPARAM>(text.data()));
  if (!copied || *copied < 0) return std::nullopt;
  text.resize(static_cast<size_t>(*copied));
  return text;
}

WPARAM NotificationFrom(HWND control, WORD code) {
  return MAKEWPARAM(static_cast<WORD>(GetDlgCtrlID(control)), code);
}

}  // namespace

int MainControlId(std::string_view name) {
  return IdByName(app::MainWindowControls(), name, kFirstControlId);
}

int MainMenuId(std::string_view name) {
  return IdByName(app::MainWindowMenus(), name, kFirstMenuId);
}

int AboutControlId(std::string_view name) {
  return IdByName(app::frmAbout::Design(), name, kFirstControlId);
}

int SplashControlId(std::string_view name) {
  return IdByName(app::frmSplash::Design(), name, kFirstControlId);
}

HWND MainControl(HWND main_window, std::string_view name) {
  return GetDlgItem(main_window, MainControlId(name));
}

HWND AboutControl(HWND about_box, std::string_view name) {
  return GetDlgItem(about_box, AboutControlId(name));
}

std::optional<LRESULT> Ask(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  DWORD_PTR result = 0;
  if (!SendMessageTimeoutW(window, message, wparam, lparam, SMTO_ABORTIFHUNG,
                           kAnswerMilliseconds, &result)) {
    return std::nullopt;
  }
  return static_cast<LRESULT>(result);
}

std::optional<LRESULT> AskWithin(std::chrono::milliseconds limit, HWND window, UINT message,
                                 WPARAM wparam, LPARAM lparam) {
  DWORD_PTR result = 0;
  // Not "abort if hung": a program blocked for a while in messages to a
  // hung target looks hung itself, yet it is the wait for it that matters.
  if (!SendMessageTimeoutW(window, message, wparam, lparam, SMTO_NORMAL,
                           static_cast<UINT>(limit.count()), &result)) {
    return std::nullopt;
  }
  return static_cast<LRESULT>(result);
}

bool Notify(HWND control, WORD code, std::chrono::milliseconds limit) {
  return control && AskWithin(limit, GetParent(control), WM_COMMAND,
                              NotificationFrom(control, code), reinterpret_cast<LPARAM>(control))
                        .has_value();
}

bool PostNotify(HWND control, WORD code) {
  return control && PostMessageW(GetParent(control), WM_COMMAND, NotificationFrom(control, code),
                                 reinterpret_cast<LPARAM>(control)) != FALSE;
}

std::optional<std::wstring> TextOf(HWND window) {
  auto length = Ask(window, WM_GETTEXTLENGTH);
  if (!length || *length < 0) return std::nullopt;
  std::wstring text(static_cast<size_t>(*length) + 1, L'\0');
  auto copied = Ask(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()));
  if (!copied || *copied < 0) return std::nullopt;
  text.resize(static_cast<size_t>(*copied));
  return text;
}

std::wstring StoredTextOf(HWND window) {
  int length = GetWindowTextLengthW(window);
  std::wstring text(static_cast<size_t>(length > 0 ? length : 0) + 1, L'\0');
  int copied = GetWindowTextW(window, text.data(), static_cast<int>(text.size()));
  text.resize(static_cast<size_t>(copied > 0 ? copied : 0));
  return text;
}

bool Click(HWND button) { return button && Ask(button, BM_CLICK).has_value(); }

std::optional<std::wstring> ComboItem(HWND combo, int index) {
  return ItemText(combo, CB_GETLBTEXTLEN, CB_GETLBTEXT, index);
}

std::optional<std::wstring> ListItem(HWND list, int index) {
  return ItemText(list, LB_GETTEXTLEN, LB_GETTEXT, index);
}

std::optional<std::vector<std::wstring>> ListRows(HWND list) {
  auto count = Ask(list, LB_GETCOUNT);
  if (!count || *count < 0) return std::nullopt;
  std::vector<std::wstring> rows;
  for (int i = 0; i < static_cast<int>(*count); ++i) {
    auto row = ListItem(list, i);
    if (!row) return std::nullopt;
    rows.push_back(std::move(*row));
  }
  return rows;
}

bool SetText(HWND window, const std::wstring& text) {
  return Ask(window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str())).value_or(FALSE) == TRUE;
}

bool PostMenuCommand(HWND window, int id) {
  return PostMessageW(window, WM_COMMAND, MAKEWPARAM(id, 0), 0) != FALSE;
}

bool HasStyle(HWND window, LONG_PTR style) {
  return (GetWindowLongPtrW(window, GWL_STYLE) & style) == style;
}

bool HasExStyle(HWND window, LONG_PTR ex_style) {
  return (GetWindowLongPtrW(window, GWL_EXSTYLE) & ex_style) == ex_style;
}

}  // namespace tarvik::e2e
