#pragma once

#include <windows.h>

#include <span>
#include <string>
#include <vector>

namespace tarvik::standins {

// One child control: class, text, style on top of WS_CHILD | WS_VISIBLE,
// and its box in client pixels.
struct ChildLayout {
  const wchar_t* class_name;
  const wchar_t* text;
  DWORD style;
  int x, y, width, height;
  int id = 0;
};

// Creates the children in the order given, which is the order in which
// Windows lists them, and gives each the dialog font.
std::vector<HWND> AddChildren(HWND parent, std::span<const ChildLayout> layouts);
HWND AddChild(HWND parent, const ChildLayout& layout);

// The font Windows uses in message boxes, made once for the program.
HFONT DialogFont();

std::wstring TextOf(HWND window);
void SetText(HWND window, const std::wstring& text);

}  // namespace tarvik::standins
