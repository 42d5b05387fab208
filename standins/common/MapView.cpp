#include "standins/common/MapView.h"

#include "platform/win32/Handles.h"
#include "standins/common/Controls.h"
#include "standins/common/WindowObject.h"

namespace tarvik::standins {

namespace {

using platform::win32::SelectedObject;
using platform::win32::UniqueHandle;
using platform::win32::UniqueHbrush;

using UniqueHpen = UniqueHandle<HPEN, &DeleteObject>;

constexpr int kGridStep = 48;
constexpr int kCrossArm = 14;
constexpr int kCaptionPadding = 8;
constexpr COLORREF kGridColour = RGB(150, 165, 140);
constexpr COLORREF kCrossColour = RGB(200, 30, 30);
constexpr COLORREF kCaptionColour = RGB(255, 255, 240);

// One class, one land colour: each stand-in registers the view once.
COLORREF g_land = RGB(220, 230, 205);

void PaintGrid(HDC dc, const RECT& area) {
  UniqueHpen pen(CreatePen(PS_SOLID, 1, kGridColour));
  SelectedObject selected(dc, pen.get());
  for (int x = area.left + kGridStep / 2; x < area.right; x += kGridStep) {
    MoveToEx(dc, x, area.top, nullptr);
    LineTo(dc, x, area.bottom);
  }
  for (int y = area.top + kGridStep / 2; y < area.bottom; y += kGridStep) {
    MoveToEx(dc, area.left, y, nullptr);
    LineTo(dc, area.right, y);
  }
}

void PaintCross(HDC dc, POINT centre) {
  UniqueHpen pen(CreatePen(PS_SOLID, 3, kCrossColour));
  SelectedObject selected(dc, pen.get());
  MoveToEx(dc, centre.x - kCrossArm, centre.y, nullptr);
  LineTo(dc, centre.x + kCrossArm + 1, centre.y);
  MoveToEx(dc, centre.x, centre.y - kCrossArm, nullptr);
  LineTo(dc, centre.x, centre.y + kCrossArm + 1);
}

// BeginPaint and EndPaint as one scope.
class PaintScope {
 public:
  explicit PaintScope(HWND window) : window_(window), dc_(BeginPaint(window, &paint_)) {}
  ~PaintScope() { EndPaint(window_, &paint_); }
  PaintScope(const PaintScope&) = delete;
  PaintScope& operator=(const PaintScope&) = delete;
  HDC dc() const { return dc_; }

 private:
  HWND window_;
  PAINTSTRUCT paint_{};
  HDC dc_;
};

// The text's lines, centred in a band along the bottom as high as they need.
RECT PaintCaption(HDC dc, const RECT& area, const std::wstring& text) {
  SelectedObject font(dc, DialogFont());
  RECT measured{area.left, 0, area.right, 0};
  DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &measured,
            DT_CENTER | DT_NOPREFIX | DT_CALCRECT);
  RECT band = area;
  band.top = area.bottom - (measured.bottom - measured.top) - 2 * kCaptionPadding;
  UniqueHbrush brush(CreateSolidBrush(kCaptionColour));
  FillRect(dc, &band, brush.get());
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, RGB(0, 0, 0));
  RECT text_box = band;
  text_box.top += kCaptionPadding;
  DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &text_box, DT_CENTER | DT_NOPREFIX);
  return band;
}

void Paint(HWND window) {
  PaintScope paint(window);
  RECT area{};
  GetClientRect(window, &area);
  const RECT band = PaintCaption(paint.dc(), area, TextOf(window));
  RECT land = area;
  land.bottom = band.top;
  UniqueHbrush brush(CreateSolidBrush(g_land));
  FillRect(paint.dc(), &land, brush.get());
  PaintGrid(paint.dc(), land);
  PaintCross(paint.dc(), {(land.left + land.right) / 2, (land.top + land.bottom) / 2});
}

LRESULT CALLBACK MapViewProcedure(HWND window, UINT message, WPARAM wparam,
                                  LPARAM lparam) noexcept {
  switch (message) {
    case WM_PAINT:
      try {
        Paint(window);
      } catch (...) {
        ValidateRect(window, nullptr);
      }
      return 0;
    case WM_SETTEXT: {
      const LRESULT result = DefWindowProcW(window, message, wparam, lparam);
      InvalidateRect(window, nullptr, FALSE);
      return result;
    }
    case WM_SIZE:
      InvalidateRect(window, nullptr, FALSE);
      return 0;
    default:
      return DefWindowProcW(window, message, wparam, lparam);
  }
}

}  // namespace

bool RegisterMapView(COLORREF land) {
  g_land = land;
  return RegisterStandinClass(kMapViewClass, &MapViewProcedure);
}

}  // namespace tarvik::standins
