#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "FinderView.h"
#include "Remote.h"
#include "StandinProcess.h"

namespace tarvik::standins::testing {
namespace {

class MosaicStandin : public ::testing::Test {
 protected:
  void SetUp() override {
    process_ = StandinProcess::Start(L"mosaic.exe");
    ASSERT_TRUE(process_) << "mosaic.exe did not start";
    ASSERT_TRUE(process_->WaitForWindow(L"MosaicStandinFrame"));
    finds_ = FindMosaicControls(process_->Id());
    ASSERT_TRUE(finds_.latitude && finds_.longitude && finds_.k[4]);
    map_ = FirstDescendantOfClass(finds_.main, L"StandinMapView");
    ASSERT_TRUE(map_);
  }

  std::wstring Text(HWND window) { return RemoteText(window).value_or(L"<no answer>"); }

  // What Tarvik's grab keeps of a field: all but the last four characters
  // of a text longer than four.
  std::wstring Grabbed(HWND field) {
    std::wstring text = Text(field);
    if (text.size() > 4) text.resize(text.size() - 4);
    return text;
  }

  std::optional<StandinProcess> process_;
  MosaicFinds finds_;
  HWND map_ = nullptr;
};

TEST_F(MosaicStandin, PathFromTitleToFieldsIsTheOneTarvikWalks) {
  EXPECT_TRUE(TitleOf(finds_.main).starts_with(L"Mosaic"));
  EXPECT_EQ(ClassOf(finds_.bar), L"AfxControlBar70s");
  EXPECT_EQ(GetParent(finds_.pane), finds_.bar);
  EXPECT_EQ(ChildClasses(finds_.pane),
            (std::vector<std::wstring>{L"Static", L"MosaicFieldBox", L"Static", L"MosaicFieldBox",
                                       L"Button"}));
  EXPECT_EQ(ClassOf(finds_.latitude), L"Edit");
  EXPECT_EQ(ClassOf(finds_.longitude), L"Edit");
  EXPECT_EQ(TitleOf(finds_.k[0]), L"Lat:");
  EXPECT_EQ(TitleOf(finds_.k[2]), L"Lon:");
  EXPECT_EQ(TitleOf(finds_.k[4]), L"Go to");
}

TEST_F(MosaicStandin, FieldsShowTheStartWithAFourCharacterSuffix) {
  EXPECT_EQ(Text(finds_.latitude), L"39.62406 deg");
  EXPECT_EQ(Text(finds_.longitude), L"-75.10789 deg");
  EXPECT_EQ(Text(map_), L"Map at 39.62406, -75.10789");
}

TEST_F(MosaicStandin, JumpWritesBothFieldsAndTheButtonMovesTheMap) {
  ASSERT_TRUE(SetRemoteText(finds_.longitude, L"-111.86247d"));
  ASSERT_TRUE(SetRemoteText(finds_.latitude, L"48.50718d"));
  EXPECT_EQ(Text(finds_.longitude), L"-111.86247 deg");
  EXPECT_EQ(Text(finds_.latitude), L"48.50718 deg");
  EXPECT_EQ(Grabbed(finds_.longitude), L"-111.86247");
  EXPECT_EQ(Grabbed(finds_.latitude), L"48.50718");
  EXPECT_EQ(Text(map_), L"Map at 39.62406, -75.10789") << "the map waits for the button";

  ASSERT_TRUE(Press(finds_.k[4], kButtonHoldMs));
  EXPECT_EQ(Text(map_), L"Map at 48.50718, -111.86247");
}

TEST_F(MosaicStandin, TextWithoutANumberStaysAndDoesNotMoveTheMap) {
  ASSERT_TRUE(SetRemoteText(finds_.latitude, L"north"));
  EXPECT_EQ(Text(finds_.latitude), L"north");
  ASSERT_TRUE(Press(finds_.k[4], kButtonHoldMs));
  EXPECT_EQ(Text(map_), L"Map at 39.62406, -75.10789");
}

TEST_F(MosaicStandin, PlaceOffTheMapDoesNotMoveIt) {
  ASSERT_TRUE(SetRemoteText(finds_.longitude, L"-181d"));
  ASSERT_TRUE(Press(finds_.k[4], kButtonHoldMs));
  EXPECT_EQ(Text(map_), L"Map at 39.62406, -75.10789");
}

}  // namespace
}  // namespace tarvik::standins::testing
