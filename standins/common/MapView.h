#pragma once

#include <windows.h>

namespace tarvik::standins {

// A stand-in's picture of where it is: a gridded map with a cross-hair in
// the middle and the window's text, the position in words, in a band along
// the bottom. Setting the text repaints it; another process reads it with
// GetWindowText.
inline constexpr wchar_t kMapViewClass[] = L"StandinMapView";

bool RegisterMapView(COLORREF land);

}  // namespace tarvik::standins
