#include "platform/win32/KeyInput.h"

#include <windows.h>

#include "platform/win32/Utf.h"

namespace tarvik::platform::win32 {

namespace {

// Wine loses a key's state when the keys just sent move the focus (a menu,
// a dialog): pressing the sentinel again after a while is always seen.
constexpr DWORD kSentinelRepressMs = 250;
// A key nobody uses; its state changes only when the target has read it.
constexpr WORD kSentinel = VK_F24;

INPUT VirtualKey(WORD key, bool up) {
  INPUT input{};
  input.type = INPUT_KEYBOARD;
  input.ki.wVk = key;
  input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
  return input;
}

INPUT UnicodeKey(wchar_t unit, bool up) {
  INPUT input{};
  input.type = INPUT_KEYBOARD;
  input.ki.wScan = unit;
  input.ki.dwFlags = KEYEVENTF_UNICODE | (up ? KEYEVENTF_KEYUP : 0);
  return input;
}

void Press(std::vector<INPUT>& inputs, WORD key) {
  inputs.push_back(VirtualKey(key, false));
  inputs.push_back(VirtualKey(key, true));
}

WORD LetterKey(const std::string& letter) {
  char c = letter.empty() ? 0 : letter.front();
  if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  return static_cast<WORD>(c);
}

std::vector<INPUT> InputsFor(const std::vector<KeyStroke>& keys) {
  std::vector<INPUT> inputs;
  for (const auto& key : keys) {
    switch (key.kind) {
      case KeyStroke::Kind::Text:
        for (wchar_t unit : Widen(key.text)) {
          inputs.push_back(UnicodeKey(unit, false));
          inputs.push_back(UnicodeKey(unit, true));
        }
        break;
      case KeyStroke::Kind::AltChord:
        inputs.push_back(VirtualKey(VK_MENU, false));
        Press(inputs, LetterKey(key.text));
        inputs.push_back(VirtualKey(VK_MENU, true));
        break;
      case KeyStroke::Kind::Key:
        Press(inputs, LetterKey(key.text));
        break;
      case KeyStroke::Kind::Tab:
        for (int i = 0; i < key.count; ++i) Press(inputs, VK_TAB);
        break;
      case KeyStroke::Kind::Enter:
        Press(inputs, VK_RETURN);
        break;
      case KeyStroke::Kind::Escape:
        Press(inputs, VK_ESCAPE);
        break;
    }
  }
  return inputs;
}

bool SentinelIs(bool down) { return ((GetKeyState(kSentinel) & 0x8000) != 0) == down; }

void SendAll(std::vector<INPUT> inputs) {
  if (!inputs.empty()) SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

// Shares the target's input state for one scope, so that GetKeyState here
// sees what the target's thread has read.
class AttachedInput {
 public:
  explicit AttachedInput(DWORD target_thread)
      : own_(GetCurrentThreadId()), target_(target_thread),
        attached_(target_ != 0 && target_ != own_ && AttachThreadInput(own_, target_, TRUE)) {}
  ~AttachedInput() {
    if (attached_) AttachThreadInput(own_, target_, FALSE);
  }
  AttachedInput(const AttachedInput&) = delete;
  AttachedInput& operator=(const AttachedInput&) = delete;

 private:
  DWORD own_;
  DWORD target_;
  bool attached_;
};

}  // namespace

namespace {

// Presses the sentinel until the target has read it down, then releases it
// until read up; false when the target does not read its queue in time.
bool WaitUntilRead(DWORD limit_ms) {
  const DWORD start = GetTickCount();
  DWORD pressed = start;
  SendAll({VirtualKey(kSentinel, false)});
  while (!SentinelIs(true)) {
    const DWORD now = GetTickCount();
    if (now - start > limit_ms) {
      // No key is left held down, whoever reads it.
      SendAll({VirtualKey(kSentinel, true)});
      return false;
    }
    if (now - pressed > kSentinelRepressMs) {
      SendAll({VirtualKey(kSentinel, true), VirtualKey(kSentinel, false)});
      pressed = now;
    }
    Sleep(2);
  }
  SendAll({VirtualKey(kSentinel, true)});
  while (!SentinelIs(false)) {
    if (GetTickCount() - start > limit_ms) return false;
    Sleep(2);
  }
  return true;
}

}  // namespace

bool TypeAndWait(const std::vector<KeyStroke>& keys, int limit_ms) {
  std::vector<INPUT> inputs = InputsFor(keys);
  if (inputs.empty()) return true;
  HWND target = GetForegroundWindow();
  AttachedInput attached(target ? GetWindowThreadProcessId(target, nullptr) : 0);
  SendAll(std::move(inputs));
  // A target that never reads its queue costs the time limit, no more.
  return WaitUntilRead(static_cast<DWORD>(limit_ms > 0 ? limit_ms : 0));
}

}  // namespace tarvik::platform::win32
