#include "platform/win32/Win32FormWindow.h"

#include <commctrl.h>

#include <algorithm>
#include <iterator>
#include <stdexcept>

#include "platform/CommandFailure.h"
#include "platform/win32/TabKey.h"
#include "platform/win32/Utf.h"

namespace tarvik::platform::win32 {

namespace {

constexpr int kFirstControlId = 100;
constexpr int kFirstMenuId = 500;
constexpr float kDefaultFontPoints = 8;
constexpr UINT_PTR kTimerId = 1;
// The program's title, which every message box without a title of its own
// carries.
constexpr const wchar_t* kFailureTitle = L"Tarvik";

void RegisterClassOnce(const std::wstring& name, WNDPROC procedure, bool icon) {
  WNDCLASSEXW existing{};
  existing.cbSize = sizeof existing;
  HINSTANCE instance = GetModuleHandleW(nullptr);
  if (GetClassInfoExW(instance, name.c_str(), &existing)) return;
  WNDCLASSEXW cls{};
  cls.cbSize = sizeof cls;
  cls.lpfnWndProc = procedure;
  cls.hInstance = instance;
  cls.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  cls.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
  cls.lpszClassName = name.c_str();
  // Loading the icons costs start-up time; windows without a caption skip it.
  if (icon) {
    cls.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(1));
    cls.hIconSm = static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(1), IMAGE_ICON,
                                                GetSystemMetrics(SM_CXSMICON),
                                                GetSystemMetrics(SM_CYSMICON), 0));
  }
  if (!RegisterClassExW(&cls)) throw std::runtime_error("cannot register a window class");
}

struct MonitorCollection {
  int dpi;
  std::vector<TwipsRect> areas;
};

// Windows calls back with __stdcall on i686, which a lambda cannot be.
BOOL CALLBACK CollectWorkArea(HMONITOR monitor, HDC, LPRECT, LPARAM data) {
  auto& out = *reinterpret_cast<MonitorCollection*>(data);
  MONITORINFO info{};
  info.cbSize = sizeof info;
  if (GetMonitorInfoW(monitor, &info)) {
    const RECT& w = info.rcWork;
    out.areas.push_back({PixelsToTwips(w.left, out.dpi), PixelsToTwips(w.top, out.dpi),
                         PixelsToTwips(w.right - w.left, out.dpi),
                         PixelsToTwips(w.bottom - w.top, out.dpi)});
  }
  return TRUE;
}

}  // namespace

Win32FormWindow::Win32FormWindow(const WindowOptions& options) {
  RegisterClassOnce(options.class_name, &Procedure, options.icon);
  HWND hwnd = CreateWindowExW(options.ex_style, options.class_name.c_str(), L"", options.style,
                              CW_USEDEFAULT, CW_USEDEFAULT, 300, 200, options.owner, nullptr,
                              GetModuleHandleW(nullptr), this);
  if (!hwnd) throw std::runtime_error("cannot create a window");
  dpi_ = static_cast<int>(GetDpiForWindow(hwnd));
  if (dpi_ <= 0) dpi_ = 96;
}

HWND Win32FormWindow::ToolTipWindow() {
  // Made on first use: windows without tooltips start faster without one.
  if (!tooltip_ && hwnd_) {
    tooltip_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                               WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT, CW_USEDEFAULT,
                               CW_USEDEFAULT, CW_USEDEFAULT, hwnd_.get(), nullptr,
                               GetModuleHandleW(nullptr), nullptr);
  }
  return tooltip_;
}

Win32FormWindow::~Win32FormWindow() {
  // The handlers belong to logic that may already be gone.
  on_close_ = nullptr;
  on_destroyed_ = nullptr;
  on_drop_ = nullptr;
}

void Win32FormWindow::OnFilesDropped(std::function<void(const DroppedFiles&)> handler) {
  on_drop_ = std::move(handler);
  auto* accept = SystemFunction<decltype(DragAcceptFiles)>(L"shell32.dll", "DragAcceptFiles");
  if (accept) accept(hwnd_.get(), on_drop_ ? TRUE : FALSE);
}

void Win32FormWindow::OnDropFiles(HDROP raw) {
  DroppedFiles paths;
  {
    // The drop is ours to free, and is freed before the handler runs: it
    // may ask a question and wait for the user.
    UniqueHdrop drop(raw);
    auto* query = SystemFunction<decltype(DragQueryFileW)>(L"shell32.dll", "DragQueryFileW");
    const UINT count = query ? query(raw, 0xFFFFFFFF, nullptr, 0) : 0;
    for (UINT i = 0; i < count; ++i) {
      const UINT length = query(raw, i, nullptr, 0);
      std::wstring path(length + 1, L'\0');
      path.resize(query(raw, i, path.data(), length + 1));
      paths.push_back(Narrow(path));
    }
  }
  if (on_drop_) on_drop_(paths);
}

LRESULT CALLBACK Win32FormWindow::Procedure(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  Win32FormWindow* self = nullptr;
  if (message == WM_NCCREATE) {
    auto* create = reinterpret_cast<CREATESTRUCTW*>(lparam);
    self = static_cast<Win32FormWindow*>(create->lpCreateParams);
    self->hwnd_.reset(hwnd);
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  } else {
    self = reinterpret_cast<Win32FormWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  }
  if (!self) return DefWindowProcW(hwnd, message, wparam, lparam);
  // No exception may cross back into the window manager, and none may pass
  // unseen: the logic reports its own, this is the last resort.
  try {
    return self->HandleMessage(message, wparam, lparam);
  } catch (...) {
    self->ReportFailure(message, std::current_exception());
    return 0;
  }
}

void Win32FormWindow::ReportFailure(UINT message, std::exception_ptr failure) {
  // A tick that failed would fail again at the next one, under the box.
  if (message == WM_TIMER) SetTimerEnabled(false);
  auto warn = [this](const wchar_t* text) {
    MessageBoxW(hwnd_.get(), text, kFailureTitle, MB_OK | MB_ICONEXCLAMATION | MB_SETFOREGROUND);
  };
  try {
    warn(Widen(CommandFailureText(failure)).c_str());
  } catch (...) {
    // Too little memory even for the text: say what can be said without.
    warn(L"The command could not be completed.");
  }
}

LRESULT Win32FormWindow::HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  HWND hwnd = hwnd_.get();
  switch (message) {
    case WM_COMMAND:
      OnCommand(LOWORD(wparam), HIWORD(wparam));
      return 0;
    case WM_DROPFILES:
      OnDropFiles(reinterpret_cast<HDROP>(wparam));
      return 0;
    case WM_TIMER:
      if (wparam == kTimerId && timer_enabled_ && tick_) tick_();
      return 0;
    case WM_CLOSE:
      if (on_close_) on_close_();
      else Destroy();
      return 0;
    case WM_CTLCOLORSTATIC: {
      const ChildWindow* control = FindControl(reinterpret_cast<HWND>(lparam));
      if (!control || !control->Layout().info_colors) {
        return DefWindowProcW(hwnd, message, wparam, lparam);
      }
      HDC dc = reinterpret_cast<HDC>(wparam);
      SetTextColor(dc, GetSysColor(COLOR_INFOTEXT));
      SetBkColor(dc, GetSysColor(COLOR_INFOBK));
      return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_INFOBK));
    }
    case WM_ACTIVATE:
      if (LOWORD(wparam) == WA_INACTIVE) RememberFocus();
      return DefWindowProcW(hwnd, message, wparam, lparam);
    case WM_SETFOCUS:
      RestoreFocus();
      return 0;
    case WM_DPICHANGED:
      OnDpiChanged(HIWORD(wparam), *reinterpret_cast<const RECT*>(lparam));
      return 0;
    case WM_NCDESTROY: {
      SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
      (void)hwnd_.release();  // Windows has destroyed it already
      tooltip_ = nullptr;
      if (on_destroyed_) on_destroyed_();
      return DefWindowProcW(hwnd, message, wparam, lparam);
    }
    default:
      return DefWindowProcW(hwnd, message, wparam, lparam);
  }
}

// Activation gives the focus to the window itself; as in a dialog, it goes
// on to the control that had it when another window (a message box, another
// program) was activated, so that the user can type on where they were.
void Win32FormWindow::RememberFocus() {
  HWND focus = GetFocus();
  if (focus && IsChild(hwnd_.get(), focus)) focus_when_inactive_ = focus;
}

void Win32FormWindow::RestoreFocus() {
  HWND control = focus_when_inactive_;
  focus_when_inactive_ = nullptr;
  if (control && IsChild(hwnd_.get(), control) && IsWindowVisible(control) &&
      IsWindowEnabled(control)) {
    SetFocus(control);
  }
}

void Win32FormWindow::OnCommand(int id, int code) {
  // Enter and Esc arrive from dialog navigation as IDOK and IDCANCEL.
  if (id == IDOK || id == IDCANCEL) {
    for (auto& control : controls_) {
      const ControlDesign& layout = control->Layout();
      if ((id == IDOK && layout.default_button) || (id == IDCANCEL && layout.cancel_button)) {
        control->Click();
        return;
      }
    }
    return;
  }
  if (menu_ && code == 0 && menu_->Choose(static_cast<UINT>(id))) return;
  for (auto& control : controls_) {
    if (control->Id() == id) {
      control->OnCommand(code);
      return;
    }
  }
}

template <class ControlType>
ControlType& Win32FormWindow::Adopt(const ControlDesign& layout) {
  int id = kFirstControlId + static_cast<int>(controls_.size());
  auto control = std::make_unique<ControlType>(static_cast<ControlHost&>(*this), layout, id);
  ControlType& result = *control;
  controls_.push_back(std::move(control));
  PlaceInTabOrder(result);
  return result;
}

Control& Win32FormWindow::AddControl(const ControlDesign& layout) { return Adopt<Win32Control>(layout); }

ListControl& Win32FormWindow::AddList(const ControlDesign& layout) { return Adopt<Win32List>(layout); }

void Win32FormWindow::PlaceInTabOrder(ChildWindow& control) {
  // The stacking order decides which of two overlapping controls is drawn
  // on top and takes the mouse. It follows the tab order, except that frames
  // lie beneath the controls they hold and roll bars above everything.
  const ControlDesign& placed = control.Layout();
  if (placed.kind == ControlKind::Frame && !placed.covers_controls) {
    SetWindowPos(control.Hwnd(), HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    return;
  }
  if (!placed.above_all) {
    HWND after = HWND_TOP;
    int best = -1;
    for (auto& other : controls_) {
      const ControlDesign& layout = other->Layout();
      bool stacked_apart = layout.kind == ControlKind::Frame || layout.above_all;
      if (other.get() == &control || stacked_apart) continue;
      if (layout.tab_index < placed.tab_index && layout.tab_index > best) {
        best = layout.tab_index;
        after = other->Hwnd();
      }
    }
    SetWindowPos(control.Hwnd(), after, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  }
  RaiseCoveringFrames();
  RaiseControlsAboveAll();
  control.ApplyVisibility();
}

void Win32FormWindow::RaiseControlsAboveAll() {
  for (const auto& control : controls_) {
    if (!control->Layout().above_all) continue;
    SetWindowPos(control->Hwnd(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  }
}

MenuItem& Win32FormWindow::AddMenuItem(const MenuDesign& layout) {
  if (!menu_) menu_ = std::make_unique<Win32Menu>(hwnd_.get());
  UINT id = static_cast<UINT>(kFirstMenuId + menu_item_count_++);
  return menu_->Add(layout, id);
}

std::string Win32FormWindow::Caption() const {
  int length = GetWindowTextLengthW(hwnd_.get());
  std::wstring text(static_cast<size_t>(length) + 1, L'\0');
  int copied = GetWindowTextW(hwnd_.get(), text.data(), length + 1);
  text.resize(static_cast<size_t>(copied));
  return Narrow(text);
}

void Win32FormWindow::SetCaption(std::string_view caption) {
  SetWindowTextW(hwnd_.get(), Widen(caption).c_str());
}

RECT Win32FormWindow::WindowRect() const {
  RECT rect{};
  GetWindowRect(hwnd_.get(), &rect);
  return rect;
}

void Win32FormWindow::MoveTo(int left, int top, int width, int height) {
  SetWindowPos(hwnd_.get(), nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

Twips Win32FormWindow::Left() const { return PixelsToTwips(WindowRect().left, dpi_); }
Twips Win32FormWindow::Top() const { return PixelsToTwips(WindowRect().top, dpi_); }
Twips Win32FormWindow::Width() const {
  RECT r = WindowRect();
  return PixelsToTwips(r.right - r.left, dpi_);
}
Twips Win32FormWindow::Height() const {
  RECT r = WindowRect();
  return PixelsToTwips(r.bottom - r.top, dpi_);
}

void Win32FormWindow::SetLeft(Twips left) {
  RECT r = WindowRect();
  MoveTo(TwipsToPixels(left, dpi_), r.top, r.right - r.left, r.bottom - r.top);
}
void Win32FormWindow::SetTop(Twips top) {
  RECT r = WindowRect();
  MoveTo(r.left, TwipsToPixels(top, dpi_), r.right - r.left, r.bottom - r.top);
}
void Win32FormWindow::SetWidth(Twips width) {
  RECT r = WindowRect();
  MoveTo(r.left, r.top, TwipsToPixels(width, dpi_), r.bottom - r.top);
}
void Win32FormWindow::SetHeight(Twips height) {
  RECT r = WindowRect();
  MoveTo(r.left, r.top, r.right - r.left, TwipsToPixels(height, dpi_));
}

Twips Win32FormWindow::ClientWidth() const {
  RECT r{};
  GetClientRect(hwnd_.get(), &r);
  return PixelsToTwips(r.right, dpi_);
}
Twips Win32FormWindow::ClientHeight() const {
  RECT r{};
  GetClientRect(hwnd_.get(), &r);
  return PixelsToTwips(r.bottom, dpi_);
}

bool Win32FormWindow::IsMinimized() const { return IsIconic(hwnd_.get()) != FALSE; }
bool Win32FormWindow::IsNormal() const {
  return !IsIconic(hwnd_.get()) && !IsZoomed(hwnd_.get());
}

void Win32FormWindow::SetTopmost(bool topmost) {
  SetWindowPos(hwnd_.get(), topmost ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
               SWP_NOMOVE | SWP_NOSIZE);
}

void Win32FormWindow::FitClientWidthToControls(Twips right_margin) {
  Twips needed = 0;
  for (const auto& control : controls_) {
    if (control->Layout().spans_width) continue;
    const Twips frame_left = ParentOrigin(control->Layout().parent).left;
    needed = std::max(needed, frame_left + control->Rect().left + control->Rect().width);
  }
  const Twips grow = needed + right_margin - ClientWidth();
  if (grow <= 0) return;
  for (const auto& control : controls_) {
    if (control->Layout().spans_width) control->GrowWidth(grow);
  }
  SetWidth(Width() + grow);
}

std::vector<TwipsRect> Win32FormWindow::MonitorWorkAreas() const {
  MonitorCollection collect{dpi_, {}};
  EnumDisplayMonitors(nullptr, nullptr, &CollectWorkArea, reinterpret_cast<LPARAM>(&collect));
  return collect.areas;
}

void Win32FormWindow::Show() {
  ShowWindow(hwnd_.get(), SW_SHOWNORMAL);
  UpdateWindow(hwnd_.get());
}

void Win32FormWindow::Hide() { ShowWindow(hwnd_.get(), SW_HIDE); }

void Win32FormWindow::Destroy() {
  if (hwnd_) DestroyWindow(hwnd_.get());
}

void Win32FormWindow::SetTimerInterval(int milliseconds) {
  timer_interval_ = milliseconds;
  ApplyTimer();
}

void Win32FormWindow::SetTimerEnabled(bool enabled) {
  timer_enabled_ = enabled;
  ApplyTimer();
}

void Win32FormWindow::ApplyTimer() {
  if (!hwnd_) return;
  // SetTimer on a running timer restarts it with the new interval.
  if (timer_enabled_ && timer_interval_ > 0) {
    SetTimer(hwnd_.get(), kTimerId, static_cast<UINT>(timer_interval_), nullptr);
  } else {
    KillTimer(hwnd_.get(), kTimerId);
  }
}

void Win32FormWindow::SetClientSize(Twips width, Twips height) {
  RECT rect{0, 0, TwipsToPixels(width, dpi_), TwipsToPixels(height, dpi_)};
  HWND hwnd = hwnd_.get();
  AdjustWindowRectExForDpi(&rect, static_cast<DWORD>(GetWindowLongPtrW(hwnd, GWL_STYLE)),
                           GetMenu(hwnd) != nullptr,
                           static_cast<DWORD>(GetWindowLongPtrW(hwnd, GWL_EXSTYLE)),
                           static_cast<UINT>(dpi_));
  RECT current = WindowRect();
  MoveTo(current.left, current.top, rect.right - rect.left, rect.bottom - rect.top);
}

void Win32FormWindow::CenterOnScreen() {
  RECT r = WindowRect();
  MONITORINFO info{};
  info.cbSize = sizeof info;
  GetMonitorInfoW(MonitorFromWindow(hwnd_.get(), MONITOR_DEFAULTTOPRIMARY), &info);
  const RECT& work = info.rcWork;
  int width = r.right - r.left;
  int height = r.bottom - r.top;
  MoveTo(work.left + (work.right - work.left - width) / 2,
         work.top + (work.bottom - work.top - height) / 2, width, height);
}

bool Win32FormWindow::PreTranslate(MSG& message) {
  HWND hwnd = hwnd_.get();
  if (!hwnd || (message.hwnd != hwnd && !IsChild(hwnd, message.hwnd))) return false;
  RelayMouseToToolTip(message);
  if (MoveFocusOnTabKey(message, controls_)) return true;
  if (TakeMenuShortcut(message)) return true;
  return IsDialogMessageW(hwnd, &message) != FALSE;
}

bool Win32FormWindow::TakeMenuShortcut(const MSG& message) {
  if (!menu_ || message.message != WM_KEYDOWN) return false;
  auto down = [](int key) { return (GetKeyState(key) & 0x8000) != 0; };
  if (!down(VK_CONTROL) || down(VK_MENU)) return false;
  if (message.wParam < 'A' || message.wParam > 'Z') return false;
  // In a text box Ctrl+Z undoes typing, as in every Windows program.
  wchar_t class_name[16] = {};
  GetClassNameW(message.hwnd, class_name, static_cast<int>(std::size(class_name)));
  if (lstrcmpiW(class_name, L"Edit") == 0) return false;
  return menu_->ChooseShortcut(static_cast<char>(message.wParam), down(VK_SHIFT));
}

void Win32FormWindow::RelayMouseToToolTip(MSG& message) {
  // Relayed rather than subclassing each control for the tooltip: Wine
  // fetches a subclassed window's chain from its server on every message,
  // three round trips for every row added to a list box.
  if (!tooltip_ || message.message < WM_MOUSEFIRST || message.message > WM_MOUSELAST) return;
  SendMessageW(tooltip_, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&message));
}

void Win32FormWindow::OnDpiChanged(int dpi, const RECT& suggested) {
  // Keep the client area's size in twips, so the roll state stays exact.
  Twips client_width = ClientWidth();
  Twips client_height = ClientHeight();
  dpi_ = dpi;
  fonts_.clear();
  for (auto& control : controls_) control->Relayout();
  MoveTo(suggested.left, suggested.top, suggested.right - suggested.left,
         suggested.bottom - suggested.top);
  SetClientSize(client_width, client_height);
}

HFONT Win32FormWindow::FontFor(const FontDesign& font) {
  auto key = std::make_tuple(font.face, font.points, font.bold);
  auto found = fonts_.find(key);
  if (found != fonts_.end()) return found->second.get();

  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof metrics;
  SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
  LOGFONTW logfont = metrics.lfMessageFont;
  float points = font.points > 0 ? font.points : kDefaultFontPoints;
  logfont.lfHeight = -static_cast<LONG>(points * static_cast<float>(dpi_) / 72.0f + 0.5f);
  logfont.lfWidth = 0;
  logfont.lfWeight = font.bold ? FW_BOLD : FW_NORMAL;
  if (!font.face.empty()) {
    std::wstring face = Widen(font.face);
    lstrcpynW(logfont.lfFaceName, face.c_str(), LF_FACESIZE);
  }
  UniqueHfont created(CreateFontIndirectW(&logfont));
  HFONT result = created.get();
  fonts_.emplace(key, std::move(created));
  return result;
}

bool Win32FormWindow::ParentShown(const std::string& parent) const {
  if (parent.empty()) return true;
  for (const auto& control : controls_) {
    if (control->Layout().name == parent) return control->Shown();
  }
  return true;
}

void Win32FormWindow::FrameShownOrHidden(const std::string& frame) {
  for (auto& control : controls_) {
    if (control->Layout().parent == frame) control->ApplyVisibility();
  }
}

void Win32FormWindow::RaiseCoveringFrames() {
  // A frame that covers other controls, and then what it holds, on top.
  for (const auto& frame : controls_) {
    if (!frame->Layout().covers_controls) continue;
    SetWindowPos(frame->Hwnd(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    for (const auto& inner : controls_) {
      if (inner->Layout().parent != frame->Layout().name) continue;
      SetWindowPos(inner->Hwnd(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }
  }
}

const ChildWindow* Win32FormWindow::FindControl(HWND hwnd) const {
  for (const auto& control : controls_) {
    if (control->Hwnd() == hwnd) return control.get();
  }
  return nullptr;
}

TwipsRect Win32FormWindow::ParentOrigin(const std::string& parent) const {
  if (parent.empty()) return {};
  for (const auto& control : controls_) {
    if (control->Layout().name == parent) return control->Layout().rect;
  }
  return {};
}

}  // namespace tarvik::platform::win32
