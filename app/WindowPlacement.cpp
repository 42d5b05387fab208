#include "app/WindowPlacement.h"

#include <algorithm>
#include <limits>

namespace tarvik::app {

namespace {

using platform::Twips;
using platform::TwipsRect;

bool Overlaps(const TwipsRect& a, const TwipsRect& b) {
  return a.left < b.Right() && b.left < a.Right() && a.top < b.Bottom() && b.top < a.Bottom();
}

// Gap along one axis between two intervals; 0 when they overlap.
double Gap(Twips a_start, Twips a_end, Twips b_start, Twips b_end) {
  if (a_end < b_start) return b_start - a_end;
  if (b_end < a_start) return a_start - b_end;
  return 0;
}

double DistanceSquared(const TwipsRect& a, const TwipsRect& b) {
  double dx = Gap(a.left, a.Right(), b.left, b.Right());
  double dy = Gap(a.top, a.Bottom(), b.top, b.Bottom());
  return dx * dx + dy * dy;
}

// Slides the window inside the area; a window larger than the area keeps
// its top-left corner (and so its caption) visible.
Twips Clamp(Twips start, Twips size, Twips area_start, Twips area_size) {
  Twips latest = area_start + area_size - size;
  return std::max(area_start, std::min(start, latest));
}

}  // namespace

void KeepOnScreen(platform::FormWindow& window) {
  const TwipsRect stored{window.Left(), window.Top(), window.Width(), window.Height()};
  const TwipsRect placed = KeepOnScreen(stored, window.MonitorWorkAreas());
  if (placed.left != stored.left) window.SetLeft(placed.left);
  if (placed.top != stored.top) window.SetTop(placed.top);
}

TwipsRect KeepOnScreen(const TwipsRect& window, const std::vector<TwipsRect>& work_areas) {
  if (work_areas.empty()) return window;
  for (const auto& area : work_areas) {
    if (Overlaps(window, area)) return window;
  }
  const TwipsRect* nearest = &work_areas.front();
  double best = std::numeric_limits<double>::max();
  for (const auto& area : work_areas) {
    double distance = DistanceSquared(window, area);
    if (distance < best) {
      best = distance;
      nearest = &area;
    }
  }
  TwipsRect placed = window;
  placed.left = Clamp(window.left, window.width, nearest->left, nearest->width);
  placed.top = Clamp(window.top, window.height, nearest->top, nearest->height);
  return placed;
}

}  // namespace tarvik::app
