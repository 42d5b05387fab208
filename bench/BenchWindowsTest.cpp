#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "bench/FillerDesktop.h"
#include "bench/InProcessTransit.h"
#include "bench/ProcessResources.h"
#include "bench/ResourceGrowth.h"
#include "bench/CpuShare.h"
#include "bench/TransitParts.h"
#include "bench/UnixFiles.h"

namespace tarvik::bench {
namespace {

using UniqueHwnd = platform::win32::UniqueHwnd;

HWND Create(const wchar_t* text, HWND parent) {
  return CreateWindowExW(0, L"STATIC", text, parent ? WS_CHILD : WS_POPUP, 0, 0, 40, 40, parent,
                         nullptr, GetModuleHandleW(nullptr), nullptr);
}

TEST(CountWindowsOfTest, CountsTheProcesssTopLevelAndChildWindows) {
  const DWORD self = GetCurrentProcessId();
  // A thread's first window brings a hidden IME window of the system's along.
  UniqueHwnd first(Create(L"first", nullptr));
  const int before = CountWindowsOf(self);
  UniqueHwnd top(Create(L"top", nullptr));
  UniqueHwnd child(Create(L"child", top.get()));
  ASSERT_TRUE(top && child);
  EXPECT_EQ(CountWindowsOf(self), before + 2);
  EXPECT_EQ(ReadOwnResources().windows, before + 2);
  child.reset();
  EXPECT_EQ(CountWindowsOf(self), before + 1);
}

TEST(CountWindowsOfTest, AnotherProcessIdHasNoneOfThem) {
  UniqueHwnd top(Create(L"top", nullptr));
  const int before = CountWindowsOf(GetCurrentProcessId() + 4);
  UniqueHwnd more(Create(L"more", nullptr));
  EXPECT_EQ(CountWindowsOf(GetCurrentProcessId() + 4), before);
}

// Whichever field the platform fills, the soak's private bytes must see a
// block the process allocates.
TEST(ReadOwnResourcesTest, TheCommitChargeFollowsAnAllocation) {
  const ResourceReadings before = ReadOwnResources();
  constexpr size_t kBlock = 8 << 20;
  std::vector<char> block(kBlock, 1);
  const ResourceReadings during = ReadOwnResources();
  auto bytes = [](const ResourceReadings& r) {
    return ChooseCommitCharge(r.private_usage, r.pagefile_usage).bytes;
  };
  ASSERT_TRUE(bytes(before) && bytes(during));
  EXPECT_GE(*bytes(during), *bytes(before) + kBlock) << static_cast<void*>(block.data());
}

TEST(BareScanTest, ReadsTheClassAndTextOfAChildWindow) {
  UniqueHwnd top(Create(L"", nullptr));
  const size_t before = BareScan();
  const std::wstring text(300, L'x');
  UniqueHwnd child(Create(text.c_str(), top.get()));
  // The text and the class name "Static".
  EXPECT_EQ(BareScan(), before + text.size() + 6);
}

TEST(TextOfTest, ReadsTheWholeTextAndReportsMissingControls) {
  const std::wstring text(1000, L'7');
  UniqueHwnd edit(CreateWindowExW(0, L"EDIT", text.c_str(), WS_POPUP, 0, 0, 40, 40, nullptr,
                                  nullptr, GetModuleHandleW(nullptr), nullptr));
  EXPECT_EQ(TextOf(edit.get()), text);
  EXPECT_EQ(Shown(nullptr), "(no such control)");
}

TEST(ReadUnixFileTest, ReadsAProcFileWhole) {
  if (!RunningUnderWine()) GTEST_SKIP() << "not under Wine";
  const std::string version = ReadUnixFile("/proc/version");
  EXPECT_EQ(version.rfind("Linux version ", 0), 0u) << version;
  EXPECT_EQ(version.back(), '\n');
}

TEST(ReadUnixFileTest, ReadsAnotherProcesssStatByItsPid) {
  if (!RunningUnderWine()) GTEST_SKIP() << "not under Wine";
  auto stat = ParseProcStat(ReadUnixFile("/proc/1/stat"));
  ASSERT_TRUE(stat);
  EXPECT_FALSE(stat->name.empty());
}

TEST(ReadUnixFileTest, ThrowsForAMissingFile) {
  if (!RunningUnderWine()) GTEST_SKIP() << "not under Wine";
  EXPECT_THROW(ReadUnixFile("/proc/no/such/file"), std::runtime_error);
}

// Without a Route Editor the pass finds no camera and says so.
TEST(InProcessTransitTest, APassWithoutTheRouteEditorShowsTheCameraMessage) {
  if (FindWindowW(L"TrainSim", nullptr)) GTEST_SKIP() << "a Route Editor is running";
  InProcessTransit transit;
  HWND window = transit.Window();
  ASSERT_TRUE(IsWindowVisible(window));
  EXPECT_EQ(TextOf(TransitPart(window, "Text_DX")), L"TextDX") << "the design's caption";
  transit.Pass();
  transit.PumpAndPaint();
  HWND info = TransitPart(window, "Label_Info");
  ASSERT_NE(info, nullptr);
  EXPECT_TRUE(IsWindowVisible(info));
  EXPECT_EQ(Shown(info),
            "\"The Camera Window is not Rolled Down or you may have to change the Camera "
            "position.\"");
  EXPECT_EQ(TransitPart(window, "NoSuchControl"), nullptr);
}

}  // namespace
}  // namespace tarvik::bench
