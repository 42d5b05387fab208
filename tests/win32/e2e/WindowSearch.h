#pragma once

#include <windows.h>

#include <chrono>
#include <string>
#include <string_view>
#include <vector>

namespace tarvik::e2e {

std::wstring ClassNameOf(HWND window);

// Top-level windows of one process with the given class, in Z order,
// hidden ones included.
std::vector<HWND> TopWindowsOf(DWORD process_id, std::wstring_view class_name);

// The first visible top-level window of that class, or nullptr.
HWND VisibleTopWindowOf(DWORD process_id, std::wstring_view class_name);

// Waits for a visible top-level window of that class; nullptr on time-out.
HWND WaitForTopWindow(DWORD process_id, std::wstring_view class_name,
                      std::chrono::milliseconds limit);

// Waits until the window is destroyed or hidden.
bool WaitUntilGoneOrHidden(HWND window, std::chrono::milliseconds limit);

// Every descendant of a window, depth first in creation order.
std::vector<HWND> DescendantsOf(HWND parent);

}  // namespace tarvik::e2e
