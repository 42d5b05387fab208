#include "platform/win32/Glyphs.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <vector>

namespace tarvik::platform::win32 {

namespace {

constexpr int kGlyphWidth = 8;
constexpr int kGlyphHeight = 7;
using Pattern = std::array<const char*, kGlyphHeight>;

constexpr Pattern kArrowUp = {
    "...##...",
    "..####..",
    ".######.",
    "########",
    "...##...",
    "...##...",
    "...##...",
};

constexpr Pattern kArrowDown = {
    "...##...",
    "...##...",
    "...##...",
    "########",
    ".######.",
    "..####..",
    "...##...",
};

}  // namespace

UniqueHicon MakeGlyphIcon(Glyph glyph, int dpi) {
  if (glyph == Glyph::None) return nullptr;
  const Pattern& pattern = glyph == Glyph::ArrowUp ? kArrowUp : kArrowDown;
  const int scale = std::max(1, (dpi + 48) / 96);
  const int width = kGlyphWidth * scale;
  const int height = kGlyphHeight * scale;

  COLORREF ink = GetSysColor(COLOR_BTNTEXT);
  const std::uint32_t ink_pixel = 0xFF000000u | (GetRValue(ink) << 16) | (GetGValue(ink) << 8) |
                                  GetBValue(ink);
  std::vector<std::uint32_t> colour(static_cast<size_t>(width * height), 0);
  // Monochrome mask rows are padded to 16 bits; a 1 bit is transparent.
  const int mask_stride = ((width + 15) / 16) * 2;
  std::vector<std::uint8_t> mask(static_cast<size_t>(mask_stride * height), 0xFF);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      if (pattern[static_cast<size_t>(y / scale)][x / scale] != '#') continue;
      colour[static_cast<size_t>(y * width + x)] = ink_pixel;
      mask[static_cast<size_t>(y * mask_stride + x / 8)] &= static_cast<std::uint8_t>(~(0x80 >> (x % 8)));
    }
  }

  UniqueHbitmap colour_bitmap(CreateBitmap(width, height, 1, 32, colour.data()));
  UniqueHbitmap mask_bitmap(CreateBitmap(width, height, 1, 1, mask.data()));
  if (!colour_bitmap || !mask_bitmap) return nullptr;
  ICONINFO info{};
  info.fIcon = TRUE;
  info.hbmColor = colour_bitmap.get();
  info.hbmMask = mask_bitmap.get();
  // CreateIconIndirect copies both bitmaps; ours are freed on return.
  return UniqueHicon(CreateIconIndirect(&info));
}

}  // namespace tarvik::platform::win32
