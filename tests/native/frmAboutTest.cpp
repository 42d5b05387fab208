#include "app/frmAbout.h"

#include <gtest/gtest.h>

#include "platform/memory/MemoryFormWindow.h"

namespace tarvik::app {
namespace {

TEST(AboutBox, ShowsTitleVersionAndStaysOnTopUntilOk) {
  platform::memory::MemoryFormWindow window;
  frmAbout about(window);
  about.Form_Load();
  EXPECT_EQ(window.Caption(), "About Tarvik");
  EXPECT_EQ(window.Get("lblTitle").Caption(), "Tarvik");
  EXPECT_EQ(window.Get("lblVersion").Caption(), "Version 1.1.3");
  EXPECT_EQ(window.Get("lblDescription").Caption(), "Navigation tool for MSTS Route Editor.");
  EXPECT_FALSE(window.Get("lblDisclaimer").Caption().empty());
  EXPECT_TRUE(window.Topmost());
  EXPECT_TRUE(window.Get("cmdOK").Layout().default_button);
  EXPECT_TRUE(window.Get("cmdOK").Layout().cancel_button);
  window.Get("cmdOK").Click();
  EXPECT_TRUE(window.Destroyed());
}

TEST(Splash, ShowsTitleAndVersion) {
  platform::memory::MemoryFormWindow window;
  frmSplash splash(window);
  EXPECT_EQ(window.Get("lblProductName").Caption(), "Product");
  splash.Form_Load();
  EXPECT_EQ(window.Get("lblProductName").Caption(), "Tarvik");
  EXPECT_EQ(window.Get("lblVersion").Caption(), "Version 1.1.3");
  EXPECT_EQ(window.Get("imgLogo").Layout().parent, "Frame1");
}

}  // namespace
}  // namespace tarvik::app
