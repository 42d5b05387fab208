#include "platform/win32/Win32Controls.h"

#include <commctrl.h>

#include <algorithm>
#include <new>
#include <stdexcept>
#include <vector>

#include "platform/win32/Glyphs.h"
#include "platform/win32/Utf.h"

namespace tarvik::platform::win32 {

namespace {

// Between an option or check box's box and its text, at 96 DPI.
constexpr int kBoxTextGapPixels = 6;

struct ClassAndStyle {
  const wchar_t* window_class;
  DWORD style;
  DWORD ex_style;
};

ClassAndStyle ClassFor(const ControlDesign& layout) {
  const DWORD tab = WS_TABSTOP;
  switch (layout.kind) {
    case ControlKind::Label:
      return {L"STATIC",
              static_cast<DWORD>((layout.word_wrap ? SS_LEFT : SS_LEFTNOWORDWRAP) | SS_NOPREFIX), 0};
    case ControlKind::TextBox:
      return {L"EDIT", ES_AUTOHSCROLL | tab, WS_EX_CLIENTEDGE};
    case ControlKind::Button:
      return {L"BUTTON", (layout.default_button ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON) | tab, 0};
    case ControlKind::PictureButton:
      return {L"BUTTON", BS_PUSHBUTTON | BS_ICON | tab, 0};
    case ControlKind::CheckBox:
      return {L"BUTTON", BS_AUTOCHECKBOX | tab, 0};
    case ControlKind::OptionButton:
      return {L"BUTTON", BS_AUTORADIOBUTTON | (layout.group_start ? WS_GROUP | tab : 0), 0};
    case ControlKind::Frame:
      // A coloured frame is a filled panel; a group box has no ground.
      if (layout.info_colors) return {L"STATIC", SS_LEFT, WS_EX_STATICEDGE};
      return {L"BUTTON", BS_GROUPBOX, 0};
    case ControlKind::Image:
      return {L"STATIC", SS_ICON | SS_REALSIZECONTROL, 0};
    case ControlKind::ListBox:
      return {L"LISTBOX",
              LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | LBS_HASSTRINGS | LBS_USETABSTOPS | WS_VSCROLL | tab,
              WS_EX_CLIENTEDGE};
    case ControlKind::DropDownList:
      return {L"COMBOBOX", CBS_DROPDOWNLIST | CBS_HASSTRINGS | WS_VSCROLL | tab, 0};
  }
  return {L"STATIC", 0, 0};
}

// A drop-down list's window also holds its dropped list; the field itself
// keeps the height the font gives it.
constexpr int kDroppedListPixels = 120;

}  // namespace

ChildWindow::ChildWindow(ControlHost& host, const ControlDesign& layout, int id)
    : host_(host), layout_(layout), rect_(layout.rect), id_(id) {
  ClassAndStyle cls = ClassFor(layout);
  hwnd_ = CreateWindowExW(cls.ex_style, cls.window_class, Widen(layout.caption).c_str(),
                          WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | cls.style, 0, 0, 0, 0,
                          host.Handle(), reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                          GetModuleHandleW(nullptr), nullptr);
  if (!hwnd_) throw std::runtime_error("cannot create control " + layout.name);
  Relayout();
  if (!layout.tooltip.empty()) SetToolTipText(layout.tooltip);
}

void ChildWindow::Relayout() {
  SendMessageW(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(host_.FontFor(layout_.font)), FALSE);
  if (layout_.glyph != Glyph::None) {
    glyph_ = MakeGlyphIcon(layout_.glyph, host_.Dpi());
    SendMessageW(hwnd_, BM_SETIMAGE, IMAGE_ICON, reinterpret_cast<LPARAM>(glyph_.get()));
  }
  if (layout_.kind == ControlKind::Image) {
    int size = MulDiv(static_cast<int>(rect_.width), host_.Dpi(), kTwipsPerInch);
    // Shared icons are owned by the system; this one is ours to keep.
    glyph_.reset(static_cast<HICON>(
        LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(1), IMAGE_ICON, size, size, 0)));
    SendMessageW(hwnd_, STM_SETICON, reinterpret_cast<WPARAM>(glyph_.get()), 0);
  }
  if (layout_.auto_size) FitToText();
  Place();
}

void ChildWindow::Place() {
  const int dpi = host_.Dpi();
  TwipsRect origin = host_.ParentOrigin(layout_.parent);
  int left = TwipsToPixels(origin.left + rect_.left, dpi);
  int top = TwipsToPixels(origin.top + rect_.top, dpi);
  int width = TwipsToPixels(rect_.width, dpi);
  int height = TwipsToPixels(rect_.height, dpi);
  if (layout_.kind == ControlKind::DropDownList) height += MulDiv(kDroppedListPixels, dpi, 96);
  SetWindowPos(hwnd_, nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

void ChildWindow::FitToText() {
  WindowDc dc(hwnd_);
  SelectedObject font(dc.get(), host_.FontFor(layout_.font));
  std::wstring text = Widen(GetText());
  SIZE size{};
  GetTextExtentPoint32W(dc.get(), text.c_str(), static_cast<int>(text.size()), &size);
  const int dpi = host_.Dpi();
  if (layout_.kind == ControlKind::OptionButton || layout_.kind == ControlKind::CheckBox) {
    // The box, the gap after it and the focus rectangle come before and
    // around the text; the design's height and a longer width stay.
    const int box = GetSystemMetricsForDpi(SM_CXMENUCHECK, static_cast<UINT>(dpi)) +
                    MulDiv(kBoxTextGapPixels, dpi, 96);
    rect_.width = std::max(rect_.width, PixelsToTwips(size.cx + box, dpi));
    return;
  }
  rect_.width = PixelsToTwips(size.cx, dpi);
  rect_.height = PixelsToTwips(size.cy, dpi);
}

std::string ChildWindow::GetText() const {
  // Sized from the length the control reports, one more for the NUL.
  int length = GetWindowTextLengthW(hwnd_);
  std::vector<wchar_t> buffer(static_cast<size_t>(length) + 1, L'\0');
  int copied = GetWindowTextW(hwnd_, buffer.data(), length + 1);
  return Narrow(std::wstring_view(buffer.data(), static_cast<size_t>(copied)));
}

void ChildWindow::SetText(std::string_view text) {
  SetWindowTextW(hwnd_, Widen(text).c_str());
  if (layout_.auto_size) {
    FitToText();
    Place();
  }
}

void ChildWindow::SetToolTipText(std::string_view tip) {
  tooltip_ = Widen(tip);
  TOOLINFOW tool{};
  tool.cbSize = sizeof tool;
  // No TTF_SUBCLASS: the window relays the mouse to the tooltip instead.
  tool.uFlags = TTF_IDISHWND;
  tool.hwnd = host_.Handle();
  tool.uId = reinterpret_cast<UINT_PTR>(hwnd_);
  tool.lpszText = tooltip_.data();
  HWND tips = host_.ToolTipWindow();
  if (tooltip_.empty()) {
    if (tool_added_) SendMessageW(tips, TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    tool_added_ = false;
  } else if (tool_added_) {
    SendMessageW(tips, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&tool));
  } else {
    tool_added_ = SendMessageW(tips, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool)) != FALSE;
  }
}

template <class Interface>
void ControlBase<Interface>::SetCaption(std::string_view caption) {
  SetText(caption);
}

template class ControlBase<Control>;
template class ControlBase<ListControl>;

Win32Control::Win32Control(ControlHost& host, const ControlDesign& layout, int id)
    : ControlBase<Control>(host, layout, id) {}

void Win32Control::OnCommand(int code) {
  if (code == BN_CLICKED) Click();
}

int Win32Control::Value() const {
  return SendMessageW(hwnd_, BM_GETCHECK, 0, 0) == BST_CHECKED ? 1 : 0;
}

void Win32Control::SetValue(int value) {
  SendMessageW(hwnd_, BM_SETCHECK, value == 1 ? BST_CHECKED : BST_UNCHECKED, 0);
}

void Win32Control::SetReadOnly(bool read_only) {
  SendMessageW(hwnd_, EM_SETREADONLY, read_only ? TRUE : FALSE, 0);
}

void Win32Control::ReplaceSelection(std::string_view text) {
  std::wstring wide = Widen(text);
  SendMessageW(hwnd_, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(wide.c_str()));
}

void Win32Control::OnPaste(std::function<bool(std::string_view)> handler) {
  paste_hook_.reset();
  if (handler) paste_hook_ = std::make_unique<PasteHook>(hwnd_, std::move(handler));
}

Win32List::Win32List(ControlHost& host, const ControlDesign& layout, int id)
    : ControlBase<ListControl>(host, layout, id) {}

void Win32List::OnCommand(int code) {
  if ((IsCombo() && code == CBN_SELCHANGE) || (!IsCombo() && code == LBN_SELCHANGE)) Click();
}

int Win32List::Count() const { return static_cast<int>(Send(LB_GETCOUNT, CB_GETCOUNT)); }

std::string Win32List::Item(int index) const {
  if (index < 0 || index >= Count()) throw std::out_of_range("list index");
  LRESULT length = Send(LB_GETTEXTLEN, CB_GETLBTEXTLEN, static_cast<WPARAM>(index));
  std::vector<wchar_t> buffer(static_cast<size_t>(length) + 1, L'\0');
  LRESULT copied = Send(LB_GETTEXT, CB_GETLBTEXT, static_cast<WPARAM>(index),
                        reinterpret_cast<LPARAM>(buffer.data()));
  if (copied < 0) return {};
  return Narrow(std::wstring_view(buffer.data(), static_cast<size_t>(copied)));
}

void Win32List::AddItem(std::string_view text, int index) {
  if (index < 0 || index > Count()) index = -1;
  std::wstring wide = Widen(text);
  TakenOrThrow(Send(LB_INSERTSTRING, CB_INSERTSTRING, static_cast<WPARAM>(index),
                    reinterpret_cast<LPARAM>(wide.c_str())));
}

void Win32List::TakenOrThrow(LRESULT result) {
  // LB_ERRSPACE and CB_ERRSPACE are both -2, LB_ERR and CB_ERR -1: a row
  // the control did not take must not pass for one it holds.
  if (result == LB_ERRSPACE) throw std::bad_alloc();
  if (result == LB_ERR) throw std::runtime_error("the list did not take a waypoint.");
}

void Win32List::RemoveItem(int index) {
  if (index < 0 || index >= Count()) throw std::out_of_range("list index");
  Send(LB_DELETESTRING, CB_DELETESTRING, static_cast<WPARAM>(index));
}

void Win32List::Clear() { Send(LB_RESETCONTENT, CB_RESETCONTENT); }

namespace {

// Drawing off for as long as it lives, and on again however it ends.
class RedrawOff {
 public:
  explicit RedrawOff(HWND window) : window_(window) {
    SendMessageW(window_, WM_SETREDRAW, FALSE, 0);
  }
  ~RedrawOff() {
    SendMessageW(window_, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(window_, nullptr, TRUE);
  }
  RedrawOff(const RedrawOff&) = delete;
  RedrawOff& operator=(const RedrawOff&) = delete;

 private:
  HWND window_;
};

}  // namespace

void Win32List::SetItems(std::span<const std::string_view> rows) {
  // A list box that redraws after every row takes minutes for a large file;
  // with drawing off and storage reserved it takes milliseconds.
  RedrawOff redraw_off(hwnd_);
  Clear();
  if (!IsCombo() &&
      SendMessageW(hwnd_, LB_INITSTORAGE, rows.size(), rows.size() * 64) == LB_ERRSPACE) {
    throw std::bad_alloc();
  }
  std::wstring wide;
  for (const auto& row : rows) {
    wide = Widen(row);
    TakenOrThrow(Send(LB_ADDSTRING, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(wide.c_str())));
  }
}

int Win32List::ListIndex() const { return static_cast<int>(Send(LB_GETCURSEL, CB_GETCURSEL)); }

void Win32List::SetListIndex(int index) {
  if (index < -1 || index >= Count()) throw std::out_of_range("list index");
  if (index == ListIndex()) return;
  Send(LB_SETCURSEL, CB_SETCURSEL, static_cast<WPARAM>(index));
  // The control tells its parent only about the user's changes; a change
  // made by the program is announced here, before this call returns.
  Click();
}

}  // namespace tarvik::platform::win32
