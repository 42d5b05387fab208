#include "ThirdWindow.h"

#include "ControlReader.h"
#include "Waiting.h"

namespace tarvik::e2e {

namespace {

constexpr wchar_t kClass[] = L"TarvikTestThirdWindow";
constexpr milliseconds kComeLimit{3000};

}  // namespace

ThirdWindow::ThirdWindow() {
  thread_.reset(CreateThread(nullptr, 0, &Run, this, 0, &thread_id_));
  if (thread_) WaitForSingleObject(made_.get(), static_cast<DWORD>(kComeLimit.count()));
}

ThirdWindow::~ThirdWindow() {
  if (!thread_) return;
  PostThreadMessageW(thread_id_, WM_QUIT, 0, 0);
  WaitForSingleObject(thread_.get(), static_cast<DWORD>(kComeLimit.count()));
}

DWORD WINAPI ThirdWindow::Run(void* self) {
  auto& third = *static_cast<ThirdWindow*>(self);
  WNDCLASSW window_class{};
  window_class.lpfnWndProc = &Procedure;
  window_class.hInstance = GetModuleHandleW(nullptr);
  window_class.lpszClassName = kClass;
  RegisterClassW(&window_class);
  third.window_ = CreateWindowExW(0, kClass, L"Third program", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                                  900, 700, 300, 120, nullptr, nullptr, GetModuleHandleW(nullptr),
                                  nullptr);
  third.box_ = CreateWindowExW(0, L"Edit", L"", WS_CHILD | WS_VISIBLE | WS_BORDER, 10, 10, 260, 24,
                               third.window_, nullptr, GetModuleHandleW(nullptr), nullptr);
  SetWindowLongPtrW(third.window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(third.box_));
  SetEvent(third.made_.get());
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  DestroyWindow(third.window_);
  return 0;
}

LRESULT CALLBACK ThirdWindow::Procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  // The box takes the focus whenever the window gets it.
  if (message == WM_SETFOCUS) {
    if (auto box = reinterpret_cast<HWND>(GetWindowLongPtrW(window, GWLP_USERDATA))) SetFocus(box);
    return 0;
  }
  return DefWindowProcW(window, message, wparam, lparam);
}

bool ThirdWindow::ComeForward() const {
  if (!window_) return false;
  SetForegroundWindow(window_);
  return WaitUntil([&] { return GetForegroundWindow() == window_; }, kComeLimit);
}

std::wstring ThirdWindow::Typed() const { return TextOf(box_).value_or(L"<no answer>"); }

}  // namespace tarvik::e2e
