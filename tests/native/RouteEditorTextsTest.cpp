#include "transit/RouteEditorTexts.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "tests/native/RouteEditorDesktop.h"

namespace tarvik::transit {
namespace {

using platform::WindowHandle;
using platform::memory::FakeDesktop;
using testing::RouteEditor;

class RouteEditorTextsTest : public ::testing::Test {
 protected:
  // Returns whether the Route Editor answered throughout.
  bool Read() {
    desktop.own_log.clear();
    target::TargetSession session(desktop, "Route Editor");
    ReadRouteEditorWindows(finder, session, texts);
    return session.Answering();
  }
  std::vector<std::string> TextsRead() const {
    std::vector<std::string> read;
    for (const auto& entry : desktop.own_log) {
      if (entry.rfind("gettext ", 0) == 0) read.push_back(entry.substr(8));
    }
    return read;
  }
  static std::string Name(WindowHandle window) { return "#" + std::to_string(window); }

  FakeDesktop desktop;
  target::Module1 finder{desktop};
  RouteEditorTexts texts;
};

TEST_F(RouteEditorTextsTest, ElevenTextsByPlaceInCameraObjectPlacementOrder) {
  const RouteEditor editor = testing::AddRouteEditor(desktop);
  Read();
  EXPECT_EQ(finder.CameraWnd, editor.camera.window);
  EXPECT_EQ(finder.ObjectWnd, editor.object);
  EXPECT_EQ(finder.PlacementWnd, editor.placement);
  EXPECT_EQ(texts.CameraX, "100.000");
  EXPECT_EQ(texts.CameraY, "20.000");
  EXPECT_EQ(texts.CameraZ, "-300.000");
  EXPECT_EQ(texts.CameraTileX, "-5000");
  EXPECT_EQ(texts.CameraTileZ, "14000");
  EXPECT_EQ(texts.ObjectX, "100.000");
  EXPECT_EQ(texts.ObjectY, "50.000");
  EXPECT_EQ(texts.ObjectZ, "200.000");
  EXPECT_EQ(texts.PlacementX, "110.000");
  EXPECT_EQ(texts.PlacementY, "50.000");
  EXPECT_EQ(texts.PlacementZ, "210.000");
  const auto& c = editor.camera;
  const std::vector<std::string> order = {
      Name(c.x),       Name(c.y),       Name(c.z),
      Name(c.tile_x),  Name(c.tile_z),  Name(editor.object_xyz[0]),
      Name(editor.object_xyz[1]),       Name(editor.object_xyz[2]),
      Name(editor.placement_xyz[0]),    Name(editor.placement_xyz[1]),
      Name(editor.placement_xyz[2])};
  EXPECT_EQ(TextsRead(), order) << "the 4th to 6th camera children are skipped";
}

TEST_F(RouteEditorTextsTest, EachPassScansAgainAndReadsTheNewTexts) {
  const RouteEditor editor = testing::AddRouteEditor(desktop);
  Read();
  testing::SetTexts(desktop, editor.placement_xyz, "1", "2", "3");
  desktop.SetText(editor.camera.tile_z, "14001");
  Read();
  EXPECT_EQ(texts.PlacementX, "1");
  EXPECT_EQ(texts.PlacementY, "2");
  EXPECT_EQ(texts.PlacementZ, "3");
  EXPECT_EQ(texts.CameraTileZ, "14001");
}

TEST_F(RouteEditorTextsTest, CameraWindowWithOnlyFiveChildrenHasNoTileNumbers) {
  // The "x:" label, its 5th child, is still the 11th descendant: the 4th
  // child holds the 5th to 10th.
  const WindowHandle camera = desktop.AddTopLevel("ToolWindow", "Camera");
  desktop.AddChild(camera, "Edit", "1.5");
  desktop.AddChild(camera, "Edit", "2.5");
  desktop.AddChild(camera, "Edit", "3.5");
  const WindowHandle panel = desktop.AddChild(camera, "Panel");
  for (int i = 5; i <= 10; ++i) desktop.AddChild(panel, "Static", "n");
  desktop.AddChild(camera, "Static", "x:");
  texts.CameraTileX = "old X";
  texts.CameraTileZ = "old Z";
  Read();
  ASSERT_EQ(finder.CameraWnd, camera);
  EXPECT_EQ(texts.CameraX, "1.5");
  EXPECT_EQ(texts.CameraY, "2.5");
  EXPECT_EQ(texts.CameraZ, "3.5");
  EXPECT_EQ(texts.CameraTileX, "");
  EXPECT_EQ(texts.CameraTileZ, "");
  EXPECT_EQ(TextsRead().size(), 3u) << "no message to a child that is not there";
}

TEST_F(RouteEditorTextsTest, PlacementWindowOneChildShortReadsTheLastAsEmpty) {
  const RouteEditor editor = testing::AddRouteEditor(desktop);
  Read();
  desktop.Close(editor.placement_xyz[2]);
  Read();
  EXPECT_EQ(texts.PlacementX, "110.000");
  EXPECT_EQ(texts.PlacementY, "50.000");
  EXPECT_EQ(texts.PlacementZ, "");
}

TEST_F(RouteEditorTextsTest, ClosedRouteEditorLeavesTheTextsOfTheLastPass) {
  const RouteEditor editor = testing::AddRouteEditor(desktop);
  Read();
  const RouteEditorTexts before = texts;
  for (WindowHandle window : {editor.main, editor.camera.window, editor.object, editor.placement}) {
    desktop.Close(window);
  }
  Read();
  EXPECT_EQ(finder.CameraWnd, 0u);
  EXPECT_EQ(finder.ObjectWnd, 0u);
  EXPECT_EQ(finder.PlacementWnd, 0u);
  EXPECT_TRUE(TextsRead().empty());
  EXPECT_EQ(texts.CameraX, before.CameraX);
  EXPECT_EQ(texts.CameraTileZ, before.CameraTileZ);
  EXPECT_EQ(texts.ObjectZ, before.ObjectZ);
  EXPECT_EQ(texts.PlacementX, before.PlacementX);
  EXPECT_EQ(texts.PlacementZ, before.PlacementZ);
}

TEST_F(RouteEditorTextsTest, AWindowNotFoundLeavesOnlyItsOwnFields) {
  const RouteEditor editor = testing::AddRouteEditor(desktop);
  Read();
  desktop.Close(editor.object);
  testing::SetTexts(desktop, editor.placement_xyz, "7", "8", "9");
  desktop.SetText(editor.camera.x, "42.000");
  Read();
  EXPECT_EQ(finder.ObjectWnd, 0u);
  EXPECT_EQ(texts.ObjectX, "100.000");
  EXPECT_EQ(texts.ObjectY, "50.000");
  EXPECT_EQ(texts.ObjectZ, "200.000");
  EXPECT_EQ(texts.CameraX, "42.000");
  EXPECT_EQ(texts.PlacementX, "7");
  EXPECT_EQ(texts.PlacementZ, "9");
}

TEST_F(RouteEditorTextsTest, NoObjectSelectedAndTrailingUnitsAreStoredAsShown) {
  const RouteEditor editor = testing::AddRouteEditor(desktop);
  testing::SetTexts(desktop, editor.object_xyz, "0.000", "0.000", "0.000");
  testing::SetTexts(desktop, editor.placement_xyz, " 12.5 m ", "\t3 ", "1,5");
  Read();
  EXPECT_EQ(texts.ObjectX, "0.000");
  EXPECT_EQ(texts.PlacementX, " 12.5 m ");
  EXPECT_EQ(texts.PlacementY, "\t3 ");
  EXPECT_EQ(texts.PlacementZ, "1,5");
}

TEST_F(RouteEditorTextsTest, RolledUpWindowGivesTheEmptyTextsItsControlsHold) {
  const RouteEditor editor = testing::AddRouteEditor(desktop);
  Read();
  testing::SetTexts(desktop, editor.object_xyz, "", "", "");
  Read();
  EXPECT_EQ(finder.ObjectWnd, editor.object);
  EXPECT_EQ(texts.ObjectX, "");
  EXPECT_EQ(texts.ObjectY, "");
  EXPECT_EQ(texts.ObjectZ, "");
}

TEST_F(RouteEditorTextsTest, ReadingEndsAtTheFirstTextLeftUnansweredWhichKeepsItsOldText) {
  testing::AddRouteEditor(desktop);
  ASSERT_TRUE(Read());
  const std::vector<std::string> all_read = TextsRead();
  ASSERT_EQ(all_read.size(), 11u);
  auto fields = [](RouteEditorTexts& t) {
    return std::vector<std::string*>{&t.CameraX,     &t.CameraY,     &t.CameraZ,    &t.CameraTileX,
                                     &t.CameraTileZ, &t.ObjectX,     &t.ObjectY,    &t.ObjectZ,
                                     &t.PlacementX,  &t.PlacementY,  &t.PlacementZ};
  };
  // Stops answering after each number of texts in turn, the last pass's
  // texts standing in every field beforehand.
  for (size_t answered = 0; answered <= all_read.size(); ++answered) {
    for (std::string* field : fields(texts)) *field = "old";
    desktop.StopAnsweringAfter(static_cast<int>(answered));
    const bool answering = Read();
    desktop.StopAnsweringAfter(-1);
    EXPECT_EQ(answering, answered == all_read.size()) << answered;
    const std::vector<std::string*> read = fields(texts);
    for (size_t i = 0; i < read.size(); ++i) {
      EXPECT_EQ(*read[i] == "old", i >= answered) << "field " << i << " after " << answered;
    }
    std::vector<std::string> asked(all_read.begin(),
                                   all_read.begin() + std::min(answered + 1, all_read.size()));
    if (answered < all_read.size()) asked.back() += " (no answer)";
    EXPECT_EQ(TextsRead(), asked) << "nothing after the first unanswered, " << answered;
  }
}

TEST_F(RouteEditorTextsTest, ARouteEditorTheSystemCountsAsHungIsNotAsked) {
  const RouteEditor editor = testing::AddRouteEditor(desktop);
  desktop.SetHung(editor.camera.x, true);
  texts.CameraX = "old";
  EXPECT_FALSE(Read());
  EXPECT_TRUE(desktop.own_log.empty());
  EXPECT_EQ(texts.CameraX, "old");
}

TEST_F(RouteEditorTextsTest, NothingFoundOnAnEmptyDesktopKeepsTheStartingTexts) {
  Read();
  EXPECT_EQ(texts.CameraX, "");
  EXPECT_EQ(texts.ObjectX, "");
  EXPECT_EQ(texts.PlacementX, "");
  EXPECT_TRUE(TextsRead().empty());
}

}  // namespace
}  // namespace tarvik::transit
