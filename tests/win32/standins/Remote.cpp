#include "Remote.h"

#include <vector>

#include "StandinProcess.h"

namespace tarvik::standins::testing {

namespace {

constexpr UINT kAnswerLimitMs = 5000;
// A key nobody uses.
constexpr WORD kSentinel = VK_F24;
constexpr int kSentinelPresses = 20;
constexpr milliseconds kSentinelWait(250);

bool Send(HWND window, UINT message, WPARAM wparam, LPARAM lparam, DWORD_PTR* result = nullptr) {
  DWORD_PTR ignored = 0;
  return SendMessageTimeoutW(window, message, wparam, lparam, SMTO_ABORTIFHUNG, kAnswerLimitMs,
                             result ? result : &ignored) != 0;
}

INPUT Key(WORD virtual_key, DWORD flags) {
  INPUT input{};
  input.type = INPUT_KEYBOARD;
  input.ki.wVk = virtual_key;
  input.ki.dwFlags = flags;
  return input;
}

bool SendAll(std::span<const INPUT> keys) {
  // SendInput only reads the keys; its parameter lacks the const.
  auto* first = const_cast<INPUT*>(keys.data());
  const auto count = static_cast<UINT>(keys.size());
  return count == 0 || SendInput(count, first, sizeof(INPUT)) == count;
}

bool SentinelDown() { return (GetKeyState(kSentinel) & 0x8000) != 0; }

// Attached to the target's input, the key state this thread sees changes
// only when the target takes a key from its queue. Under Wine a sentinel
// press that comes while a dialog or menu opens is often never seen (two
// runs in three of Alt+V, G, F24), although the target goes on taking
// keys: probably the key state is set back to the X server's when X focus
// moves. A later press proves the same, so an unseen press is released
// and pressed again.
std::string SendAndWaitForSentinel(std::span<const INPUT> keys) {
  const INPUT down = Key(kSentinel, 0);
  const INPUT up = Key(kSentinel, KEYEVENTF_KEYUP);
  if (!SendAll(keys)) return "SendInput refused the keys";
  bool taken = false;
  for (int press = 0; press < kSentinelPresses && !taken; ++press) {
    if (!SendAll({&down, 1})) return "SendInput refused the sentinel";
    taken = WaitUntil(&SentinelDown, kSentinelWait);
    SendAll({&up, 1});
  }
  if (!taken) return "the target did not take the keys";
  if (!WaitUntil([] { return !SentinelDown(); }, kSentinelWait)) return "the sentinel stayed down";
  return {};
}

}  // namespace

std::optional<std::wstring> RemoteText(HWND window) {
  DWORD_PTR length = 0;
  if (!Send(window, WM_GETTEXTLENGTH, 0, 0, &length)) return std::nullopt;
  std::wstring text(length + 1, L'\0');
  DWORD_PTR copied = 0;
  if (!Send(window, WM_GETTEXT, length + 1, reinterpret_cast<LPARAM>(text.data()), &copied)) {
    return std::nullopt;
  }
  text.resize(copied);
  return text;
}

bool SetRemoteText(HWND window, const std::wstring& text) {
  return Send(window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

bool Press(HWND window, DWORD hold_ms) {
  if (!Send(window, WM_LBUTTONDOWN, 0, 0)) return false;
  if (hold_ms > 0) Sleep(hold_ms);
  return Send(window, WM_LBUTTONUP, 0, 0);
}

bool Answers(HWND window, DWORD limit_ms) {
  DWORD_PTR ignored = 0;
  return SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, limit_ms, &ignored) != 0;
}

std::string TypeInto(HWND window, std::span<const INPUT> keys) {
  SetForegroundWindow(window);
  if (!WaitUntil([&] { return GetForegroundWindow() == window; }, milliseconds(5000))) {
    return "the window did not come to the foreground";
  }
  const DWORD target_thread = GetWindowThreadProcessId(window, nullptr);
  const DWORD own_thread = GetCurrentThreadId();
  if (!AttachThreadInput(own_thread, target_thread, TRUE)) return "AttachThreadInput failed";
  std::string problem = SendAndWaitForSentinel(keys);
  AttachThreadInput(own_thread, target_thread, FALSE);
  return problem;
}

void AddKey(std::vector<INPUT>& keys, WORD virtual_key) {
  keys.push_back(Key(virtual_key, 0));
  keys.push_back(Key(virtual_key, KEYEVENTF_KEYUP));
}

void AddAltKey(std::vector<INPUT>& keys, WORD virtual_key) {
  keys.push_back(Key(VK_MENU, 0));
  AddKey(keys, virtual_key);
  keys.push_back(Key(VK_MENU, KEYEVENTF_KEYUP));
}

void AddCharacters(std::vector<INPUT>& keys, std::wstring_view text) {
  for (wchar_t c : text) {
    INPUT down{};
    down.type = INPUT_KEYBOARD;
    down.ki.wScan = c;
    down.ki.dwFlags = KEYEVENTF_UNICODE;
    INPUT up = down;
    up.ki.dwFlags |= KEYEVENTF_KEYUP;
    keys.push_back(down);
    keys.push_back(up);
  }
}

}  // namespace tarvik::standins::testing
