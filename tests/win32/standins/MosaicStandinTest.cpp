#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "FinderView.h"
#include "RefusalLog.h"
#include "Remote.h"
#include "StandinProcess.h"

namespace tarvik::standins::testing {
namespace {

class MosaicStandin : public ::testing::Test {
 protected:
  void SetUp() override {
    process_ = StandinProcess::Start(L"mosaic.exe", log_.Switch());
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

  RefusalLog log_;
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

  // A second control bar, below the first in Z order, of the same shape.
  std::vector<HWND> bars;
  for (HWND child = GetWindow(finds_.main, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    if (ClassOf(child) == L"AfxControlBar70s") bars.push_back(child);
  }
  ASSERT_EQ(bars.size(), 2u);
  EXPECT_EQ(bars.front(), finds_.bar) << "the first in Z order is the coordinates' bar";
  HWND other_pane = GetWindow(bars.back(), GW_CHILD);
  EXPECT_EQ(ChildClasses(other_pane), ChildClasses(finds_.pane));
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

// A field takes degrees followed by "d" and nothing else; anything else is
// refused, shown under the map and logged, and the field keeps its text.
TEST_F(MosaicStandin, ATextThatIsNotDegreesWithADIsRefusedShownAndLogged) {
  std::vector<std::string> expected;
  for (const wchar_t* text : {L"48.50718", L"48.50718dd", L"48.50718d ", L"north", L"d", L"4 8d"}) {
    ASSERT_TRUE(SetRemoteText(finds_.latitude, text));
    EXPECT_EQ(Text(finds_.latitude), L"39.62406 deg");
    const std::wstring refusal = L"Refused: \"" + std::wstring(text) + L"\" is not degrees followed by d";
    EXPECT_EQ(Text(map_), L"Map at 39.62406, -75.10789\n" + refusal);
    expected.push_back(std::string(refusal.begin(), refusal.end()));
  }
  EXPECT_EQ(log_.Lines(), expected);
  ASSERT_TRUE(Press(finds_.k[4], kButtonHoldMs));
  EXPECT_EQ(Text(map_).rfind(L"Map at 39.62406, -75.10789", 0), 0u);
}

TEST_F(MosaicStandin, PlaceOffTheMapDoesNotMoveIt) {
  ASSERT_TRUE(SetRemoteText(finds_.longitude, L"-181d"));
  ASSERT_TRUE(Press(finds_.k[4], kButtonHoldMs));
  EXPECT_EQ(Text(map_),
            L"Map at 39.62406, -75.10789\nRefused: 39.62406 deg, -181.00000 deg is off the map");
  EXPECT_EQ(log_.Lines().size(), 1u);
}

}  // namespace
}  // namespace tarvik::standins::testing
