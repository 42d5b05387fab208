#include "standins/common/MessageLoop.h"

#include <chrono>

namespace tarvik::standins {

namespace {

// Long enough for Wine to map and paint fresh windows before the thread
// stops taking messages.
constexpr DWORD kPaintBeforeHangMs = 500;

void PumpFor(DWORD milliseconds) {
  const ULONGLONG end = GetTickCount64() + milliseconds;
  while (GetTickCount64() < end) {
    MSG message{};
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
    Sleep(10);
  }
}

}  // namespace

int RunMessageLoop(DialogKeys keys) {
  MSG message{};
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    HWND root = message.hwnd ? GetAncestor(message.hwnd, GA_ROOT) : nullptr;
    if (keys == DialogKeys::kBetweenFields && root && IsDialogMessageW(root, &message)) continue;
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  return static_cast<int>(message.wParam);
}

void HangIfAsked(const StartOptions& options) {
  if (!options.hang) return;
  PumpFor(kPaintBeforeHangMs);
  if (options.hang_for) {
    Sleep(static_cast<DWORD>(std::chrono::milliseconds(*options.hang_for).count()));
    return;
  }
  for (;;) Sleep(1000);
}

}  // namespace tarvik::standins
