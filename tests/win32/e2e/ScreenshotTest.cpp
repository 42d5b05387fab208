#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <tuple>

#include "ControlReader.h"
#include "Geometry.h"
#include "Screenshot.h"
#include "TarvikFixture.h"
#include "WindowSearch.h"
#include "app/win32/WindowClasses.h"

namespace tarvik::e2e {
namespace {

const std::filesystem::path kScreenshotFolder = TARVIK_E2E_SCREENSHOT_DIR;

Rgb FaceColor() {
  COLORREF face = GetSysColor(COLOR_BTNFACE);
  return {GetRValue(face), GetGValue(face), GetBValue(face)};
}

size_t DistinctColors(const RgbImage& image) {
  std::set<std::tuple<std::uint8_t, std::uint8_t, std::uint8_t>> colors;
  for (size_t i = 0; i + 2 < image.rgb.size(); i += 3) {
    colors.emplace(image.rgb[i], image.rgb[i + 1], image.rgb[i + 2]);
  }
  return colors.size();
}

// A picture of the window has the window's size, the window's background
// near the client area's top left corner (every window here leaves it
// empty, unless it is rolled up), and more than a flat fill: frame,
// caption and texts.
void ExpectPictureOfWindow(const RgbImage& image, HWND window, bool empty_corner) {
  Geometry geometry = GeometryOf(window);
  EXPECT_EQ(image.width, geometry.OuterWidth());
  EXPECT_EQ(image.height, geometry.OuterHeight());
  EXPECT_GE(DistinctColors(image), 4u);
  if (!empty_corner) return;
  POINT corner{2, 2};
  ClientToScreen(window, &corner);
  int x = corner.x - geometry.outer.left;
  int y = corner.y - geometry.outer.top;
  ASSERT_TRUE(x >= 0 && y >= 0 && x < image.width && y < image.height);
  EXPECT_EQ(PixelAt(image, x, y), FaceColor()) << "at " << x << ", " << y;
}

void SaveScreenshot(HWND window, const wchar_t* name, bool empty_corner = true) {
  std::optional<RgbImage> image = CaptureWindow(window);
  ASSERT_TRUE(image.has_value()) << "cannot capture " << name;
  ASSERT_NO_FATAL_FAILURE(ExpectPictureOfWindow(*image, window, empty_corner));
  std::filesystem::create_directories(kScreenshotFolder);
  EXPECT_TRUE(WritePng(*image, kScreenshotFolder / name)) << name;
}

class Screenshots : public TarvikTest {};

TEST_F(Screenshots, MainWindowWideNarrowAndRolledUpAndTheAboutBox) {
  ASSERT_NO_FATAL_FAILURE(Launch());
  ASSERT_NO_FATAL_FAILURE(SaveScreenshot(main_, L"main-wide.png"));

  ASSERT_TRUE(Click(MainControl(main_, "Command_Width")));
  ASSERT_NO_FATAL_FAILURE(SaveScreenshot(main_, L"main-narrow.png"));

  // Rolled up, the roll-down bar fills the client area.
  ASSERT_TRUE(Click(MainControl(main_, "Command_Rollup")));
  ASSERT_NO_FATAL_FAILURE(SaveScreenshot(main_, L"main-rolled-up.png", false));

  ASSERT_TRUE(Ask(main_, WM_COMMAND, MAKEWPARAM(MainMenuId("Menu_About"), 0)));
  HWND about = WaitForTopWindow(process_->Id(), app::win32::kAboutClass, kWindowLimit);
  ASSERT_NE(about, nullptr);
  ASSERT_NO_FATAL_FAILURE(SaveScreenshot(about, L"about.png"));
}

}  // namespace
}  // namespace tarvik::e2e
