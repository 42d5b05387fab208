#include "Screenshot.h"

#include "Waiting.h"
#include "WindowSearch.h"
#include "platform/win32/Handles.h"

namespace tarvik::e2e {

using platform::win32::SelectedObject;
using platform::win32::UniqueHbitmap;
using platform::win32::UniqueHdc;
using platform::win32::WindowDc;

namespace {

constexpr milliseconds kPaintLimit{2000};
// The X server shows what the program painted a moment after it painted.
constexpr DWORD kSettleMilliseconds = 150;

bool NeedsPaint(HWND window) {
  if (GetUpdateRect(window, nullptr, FALSE)) return true;
  for (HWND child : DescendantsOf(window)) {
    if (IsWindowVisible(child) && GetUpdateRect(child, nullptr, FALSE)) return true;
  }
  return false;
}

bool RepaintAndWait(HWND window) {
  // Another process's window cannot be painted from here; invalidating it
  // makes the program paint it, and the update regions tell when it has.
  RedrawWindow(window, nullptr, nullptr,
               RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
  bool painted = WaitUntil([&] { return !NeedsPaint(window); }, kPaintLimit);
  Sleep(kSettleMilliseconds);
  return painted;
}

// 32-bit rows need no padding; the blue, green, red, unused order is GDI's.
std::optional<RgbImage> ReadBits(HDC dc, HBITMAP bitmap, int width, int height) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;  // top-down rows
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  std::vector<std::uint8_t> bgrx(static_cast<size_t>(width) * static_cast<size_t>(height) * 4);
  if (GetDIBits(dc, bitmap, 0, static_cast<UINT>(height), bgrx.data(), &info, DIB_RGB_COLORS) !=
      height) {
    return std::nullopt;
  }
  RgbImage image{width, height, {}};
  image.rgb.reserve(bgrx.size() / 4 * 3);
  for (size_t i = 0; i < bgrx.size(); i += 4) {
    image.rgb.insert(image.rgb.end(), {bgrx[i + 2], bgrx[i + 1], bgrx[i]});
  }
  return image;
}

}  // namespace

Rgb PixelAt(const RgbImage& image, int x, int y) {
  size_t at =
      (static_cast<size_t>(y) * static_cast<size_t>(image.width) + static_cast<size_t>(x)) * 3;
  return {image.rgb[at], image.rgb[at + 1], image.rgb[at + 2]};
}

namespace {

// Copies a rectangle of the screen as it stands.
std::optional<RgbImage> CaptureRect(const RECT& rect) {
  int width = rect.right - rect.left;
  int height = rect.bottom - rect.top;
  if (width <= 0 || height <= 0) return std::nullopt;

  WindowDc screen(nullptr);
  UniqueHdc memory(CreateCompatibleDC(screen.get()));
  UniqueHbitmap bitmap(CreateCompatibleBitmap(screen.get(), width, height));
  if (!memory || !bitmap) return std::nullopt;
  {
    SelectedObject selected(memory.get(), bitmap.get());
    if (!BitBlt(memory.get(), 0, 0, width, height, screen.get(), rect.left, rect.top, SRCCOPY)) {
      return std::nullopt;
    }
  }
  // GetDIBits wants the bitmap out of every DC.
  return ReadBits(memory.get(), bitmap.get(), width, height);
}

}  // namespace

std::optional<RgbImage> CaptureWindow(HWND window) {
  if (!IsWindow(window) || !RepaintAndWait(window)) return std::nullopt;
  RECT rect{};
  GetWindowRect(window, &rect);
  return CaptureRect(rect);
}

std::optional<RgbImage> CaptureWindows(const std::vector<HWND>& windows) {
  RECT area{};
  for (HWND window : windows) {
    if (!IsWindow(window) || !RepaintAndWait(window)) return std::nullopt;
    RECT rect{};
    GetWindowRect(window, &rect);
    UnionRect(&area, &area, &rect);
  }
  return CaptureRect(area);
}

}  // namespace tarvik::e2e
