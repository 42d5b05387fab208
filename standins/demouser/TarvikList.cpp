#include "standins/demouser/TarvikList.h"

#include <vector>

namespace tarvik::standins::demouser {

namespace {

BOOL CALLBACK CollectListBox(HWND child, LPARAM found) {
  wchar_t name[16] = {};
  GetClassNameW(child, name, 16);
  if (lstrcmpiW(name, L"ListBox") == 0) {
    reinterpret_cast<std::vector<HWND>*>(found)->push_back(child);
  }
  return TRUE;
}

std::wstring RowText(HWND list, int index) {
  LRESULT length = SendMessageW(list, LB_GETTEXTLEN, static_cast<WPARAM>(index), 0);
  if (length == LB_ERR) return {};
  std::wstring text(static_cast<size_t>(length) + 1, L'\0');
  LRESULT copied = SendMessageW(list, LB_GETTEXT, static_cast<WPARAM>(index),
                                reinterpret_cast<LPARAM>(text.data()));
  text.resize(copied == LB_ERR ? 0 : static_cast<size_t>(copied));
  return text;
}

// Name, latitude, longitude and extra, split at the first three tabs.
std::vector<std::wstring> Fields(const std::wstring& row) {
  std::vector<std::wstring> fields;
  size_t start = 0;
  for (int i = 0; i < 3; ++i) {
    size_t tab = row.find(L'\t', start);
    if (tab == std::wstring::npos) break;
    fields.push_back(row.substr(start, tab - start));
    start = tab + 1;
  }
  fields.push_back(row.substr(start));
  return fields;
}

void Press(DWORD flags) {
  INPUT input{};
  input.type = INPUT_MOUSE;
  input.mi.dwFlags = flags;
  SendInput(1, &input, sizeof input);
}

}  // namespace

std::optional<ListedWaypoint> FindListedWaypoint(const std::wstring& name) {
  HWND main = FindWindowW(L"TarvikMain", nullptr);
  if (!main || !IsWindowVisible(main)) return std::nullopt;
  std::vector<HWND> lists;
  EnumChildWindows(main, &CollectListBox, reinterpret_cast<LPARAM>(&lists));
  for (HWND list : lists) {
    if (!IsWindowVisible(list)) continue;
    LRESULT count = SendMessageW(list, LB_GETCOUNT, 0, 0);
    for (int i = 0; i < count; ++i) {
      std::vector<std::wstring> fields = Fields(RowText(list, i));
      if (fields.size() >= 3 && fields[0] == name) {
        return ListedWaypoint{list, i, fields[1], fields[2]};
      }
    }
  }
  return std::nullopt;
}

bool ClickRow(const ListedWaypoint& row) {
  const auto height = static_cast<int>(SendMessageW(row.list, LB_GETITEMHEIGHT, 0, 0));
  const auto top = static_cast<int>(SendMessageW(row.list, LB_GETTOPINDEX, 0, 0));
  RECT client{};
  GetClientRect(row.list, &client);
  POINT point{client.right / 3, (row.index - top) * height + height / 2};
  if (height <= 0 || point.y < 0 || point.y >= client.bottom) return false;
  ClientToScreen(row.list, &point);
  SetCursorPos(point.x, point.y);
  Press(MOUSEEVENTF_LEFTDOWN);
  Sleep(50);
  Press(MOUSEEVENTF_LEFTUP);
  return true;
}

}  // namespace tarvik::standins::demouser
