#include <gtest/gtest.h>

#include <algorithm>
#include <ostream>
#include <string>
#include <vector>

#include "tests/native/MainWindowFixture.h"
#include "tests/native/TargetDesktop.h"

namespace tarvik::app {
namespace {

using namespace tarvik::testing;
using platform::Answer;

std::string H(WindowHandle window) { return "#" + std::to_string(window); }

class TargetTest : public MainWindowTest {
 protected:
  TargetTest() {
    desktop.log = &system.events;  // one sequence of messages, sleeps and events
    Load();
    form->EntireList().AddItem("Falls\t48.50718\t-111.86247\t2");
    form->EntireList().AddItem("Zero\t1.5\t0\t2");
  }
  void SelectTarget(int target) { List("Combo_WhichApp").UserSelect(target); }
  // Picks a row of the entire list and returns what happened from there on.
  std::vector<std::string> Select(int row) {
    system.events.clear();
    List("List_Entire").UserSelect(row);
    return system.events;
  }
  std::vector<std::string> RouteEditorSequence(const CameraWindow& camera, WindowHandle train_sim) {
    return {"settext " + H(camera.longitude) + " -111.86247",
            "settext " + H(camera.latitude) + " 48.50718",
            "buttondown " + H(camera.latitude),
            "buttonup " + H(camera.latitude),
            "buttondown " + H(camera.button),
            "sleep 200",
            "buttonup " + H(camera.button),
            "foreground " + H(train_sim)};
  }
};

TEST_F(TargetTest, TheFirstRouteEditorJumpRunsTwice200MsApart) {
  WindowHandle train_sim = desktop.AddTopLevel("TrainSim", "Route Editor");
  CameraWindow camera = AddCamera(desktop);
  auto once = RouteEditorSequence(camera, train_sim);
  std::vector<std::string> expected = {"doevents"};
  expected.insert(expected.end(), once.begin(), once.end());
  expected.push_back("sleep 200");
  expected.insert(expected.end(), once.begin(), once.end());
  EXPECT_EQ(Select(0), expected);
  EXPECT_FALSE(form->IsFirstREJump());
  EXPECT_EQ(desktop.TextOf(camera.longitude), "-111.86247");

  expected = {"doevents"};
  expected.insert(expected.end(), once.begin(), once.end());
  List("List_Entire").UserSelect(1);
  EXPECT_EQ(Select(0), expected) << "later jumps run once";
}

TEST_F(TargetTest, MosaicGetsDegreesWithADAndItsGoControlPressed) {
  MosaicWindow mosaic = AddMosaic(desktop);
  SelectTarget(1);
  EXPECT_EQ(Select(0), (std::vector<std::string>{
                           "doevents", "settext " + H(mosaic.longitude) + " -111.86247d",
                           "settext " + H(mosaic.latitude) + " 48.50718d",
                           "buttondown " + H(mosaic.k4), "sleep 200", "buttonup " + H(mosaic.k4),
                           "foreground " + H(mosaic.k0)}));
  EXPECT_TRUE(form->IsFirstREJump()) << "left alone by other targets";
}

TEST_F(TargetTest, USAPhotoMapsIsTypedIntoWithTheWestLongitudePositive) {
  WindowHandle photo_maps = desktop.AddTopLevel("USAPhotoMaps", "USAPhotoMaps");
  SelectTarget(2);
  EXPECT_EQ(Select(0), (std::vector<std::string>{"doevents", "foreground " + H(photo_maps),
                                                 "keys Alt+V G", "keys [48.50718]", "keys Tab*3",
                                                 "keys [111.86247]", "keys Enter", "keys Esc"}));
  EXPECT_EQ(Select(1), (std::vector<std::string>{"doevents", "foreground " + H(photo_maps),
                                                 "keys Alt+V G", "keys [1.5]", "keys Tab*3",
                                                 "keys Enter", "keys Esc"}))
      << "a longitude of 0 types nothing";
}

TEST_F(TargetTest, USAPhotoMapsKeysAreLiteralAndDropTheLeadingZero) {
  desktop.AddTopLevel("USAPhotoMaps");
  SelectTarget(2);
  form->EntireList().AddItem("Odd\t%{TAB}+^~()\t-0.5\t2", 0);
  auto events = Select(0);
  ASSERT_EQ(events.size(), 8u);
  EXPECT_EQ(events[3], "keys [%{TAB}+^~()]");
  EXPECT_EQ(events[5], "keys [.5]");
}

TEST_F(TargetTest, EachClosedTargetIsReportedAndNothingIsSent) {
  Control("Check_OnTop").Click();
  const std::pair<int, const char*> targets[] = {
      {0, "Please Open the Route Editor Camera Window."},
      {1, "Please Open Mosaic."},
      {2, "Please Open USAPhotoMaps."}};
  for (const auto& [target, message] : targets) {
    SelectTarget(target);
    size_t topmost_calls = window.TopmostCalls().size();
    auto events = Select(0);
    EXPECT_EQ(LastMessage().text, message);
    EXPECT_EQ(LastMessage().title, "Tarvik");
    EXPECT_EQ(LastMessage().kind, ScriptedMessageBoxes::Kind::Warning);
    for (const auto& event : events) {
      EXPECT_TRUE(event == "doevents" || event == "sleep 200") << event;
    }
    EXPECT_EQ(window.TopmostCalls().size(), topmost_calls + 1) << "on top again even so";
  }
  EXPECT_EQ(form->LastRow(), "Falls\t48.50718\t-111.86247\t2") << "the first jump still remembers";
}

TEST_F(TargetTest, TheTargetSelectorSetsTheCommandsAndHidesTransit) {
  struct Row {
    int target;
    bool grab, add, transit;
    int hidden;
  };
  const Row table[] = {{1, true, true, false, 1}, {2, false, false, false, 2},
                       {0, true, true, true, 2}, {2, false, false, false, 3}};
  for (const auto& row : table) {
    SelectTarget(row.target);
    EXPECT_EQ(Control("Command_Grab").Enabled(), row.grab) << row.target;
    EXPECT_EQ(Control("Command_New").Enabled(), row.add) << row.target;
    EXPECT_EQ(Control("Command_Transit").Enabled(), row.transit) << row.target;
    EXPECT_EQ(windows.transit_hidden, row.hidden) << row.target;
  }
}

TEST_F(TargetTest, GrabFromTheCameraWindowPreparesANewWaypoint) {
  AddCamera(desktop, "-111.86247", "48.50718");
  form->GrabPosition();
  EXPECT_EQ(Control("Text_Longitude").Caption(), "-111.86247");
  EXPECT_EQ(Control("Text_Latitude").Caption(), "48.50718");
  EXPECT_EQ(Control("Text_Waypoint").Caption(), "WP ");
  EXPECT_TRUE(Control("Text_Waypoint").HasFocus());
  EXPECT_FALSE(Control("Command_Grab").Enabled());
  EXPECT_TRUE(Control("Command_Delete").Enabled());
  EXPECT_FALSE(Control("Text_Latitude").Type("1")) << "read-only after a grab";
  EXPECT_TRUE(Control("Text_Latitude").ReadOnly());

  // Grab, then Delete asks about "WP ".
  messages.ScriptAnswer(Answer::Yes);
  Control("Command_Delete").Click();
  EXPECT_EQ(LastMessage().text, "Delete waypoint WP ?");
  EXPECT_EQ(Control("Text_Latitude").Caption(), "");
  EXPECT_EQ(List("List_Entire").Count(), 2);
}

TEST_F(TargetTest, AfterGrabSelectingAWaypointStillFillsTheBoxes) {
  AddCamera(desktop);
  form->GrabPosition();
  Select(0);
  EXPECT_EQ(Control("Text_Latitude").Caption(), "48.50718");
}

TEST_F(TargetTest, GrabFromMosaicDropsTheUnitOfLongTextsOnly) {
  MosaicWindow mosaic = AddMosaic(desktop);
  desktop.SetText(mosaic.latitude, "12.5");
  SelectTarget(1);
  form->GrabPosition();
  EXPECT_EQ(Control("Text_Longitude").Caption(), "-111.86247");
  EXPECT_EQ(Control("Text_Latitude").Caption(), "12.5") << "four characters are taken whole";
  EXPECT_FALSE(Control("Command_Grab").Enabled());
  Select(0);
  EXPECT_TRUE(Control("Command_Grab").Enabled()) << "offered again by the recent list's handling";
}

TEST_F(TargetTest, ACameraWindowWithTooFewChildrenGrabsEmptyTexts) {
  WindowHandle camera = AddLabelledWindow(desktop, 11);
  (void)camera;
  form->GrabPosition();
  EXPECT_TRUE(messages.History().empty());
  EXPECT_EQ(Control("Text_Longitude").Caption(), "f") << "the 4th child, whatever its class";
}

TEST_F(TargetTest, ACameraWindowWithFewerThanSixChildrenGrabsEmptyTexts) {
  // Nine windows before it, so the label is the 11th: the Camera window is
  // the label's parent, and the label is its only child.
  WindowHandle top = desktop.AddTopLevel("ToolWindow");
  WindowHandle before = desktop.AddChild(top, "Static", "before");
  for (int i = 0; i < 8; ++i) desktop.AddChild(before, "Static", "filler");
  WindowHandle camera = desktop.AddChild(top, "Static", "camera");
  desktop.AddChild(camera, "Static", "x:");
  form->GrabPosition();
  EXPECT_EQ(finder.CameraWnd, camera);
  EXPECT_TRUE(messages.History().empty());
  EXPECT_EQ(Control("Text_Longitude").Caption(), "");
  EXPECT_EQ(Control("Text_Latitude").Caption(), "");
  Control("Text_Waypoint").Type("WP A");
  Control("Command_New").Click();
  EXPECT_EQ(LastMessage().text, "Invalid Latitude.");
}

TEST_F(TargetTest, GrabWithNoTargetOpenChangesNothing) {
  form->GrabPosition();
  EXPECT_EQ(LastMessage().text, "Please Open the Route Editor Camera Window.");
  EXPECT_TRUE(Control("Command_Grab").Enabled());
  EXPECT_EQ(Control("Text_Waypoint").Caption(), "");
  SelectTarget(1);
  form->GrabPosition();
  EXPECT_EQ(LastMessage().text, "Please Open Mosaic.");
}

TEST_F(TargetTest, LastToAnUnselectedWaypointJumpsTwiceNested) {
  WindowHandle train_sim = desktop.AddTopLevel("TrainSim");
  CameraWindow camera = AddCamera(desktop);
  (void)train_sim;
  Select(0);                          // Falls: first jump (twice), remembered for Last
  Select(1);                          // Zero
  List("List_Recent").UserSelect(1);  // Zero again, selected in the recent list
  system.events.clear();
  List("List_Recent").SetListIndex(1);
  Control("Command_Last").Click();    // to Falls, which the recent list has not selected
  int jumps = 0, presses = 0;
  for (const auto& event : system.events) {
    jumps += event == "doevents";
    presses += event == "buttondown " + H(camera.button);
  }
  EXPECT_EQ(jumps, 2) << "the recent list's handling jumps again inside the first jump";
  EXPECT_EQ(presses, 2);
  EXPECT_EQ(Control("Text_Waypoint").Caption(), "Falls");
}

// The target programs' top-level windows, each opened on the desktop.
std::vector<WindowHandle> OpenTarget(FakeDesktop& desktop, int target) {
  switch (target) {
    case 1: return {AddMosaic(desktop).main};
    case 2: return {desktop.AddTopLevel("USAPhotoMaps", "USAPhotoMaps")};
    default: return {desktop.AddTopLevel("TrainSim", "Route Editor"), AddCamera(desktop).window};
  }
}

bool IsMessage(const std::string& event) {
  for (const char* kind : {"settext ", "gettext ", "buttondown ", "buttonup ", "ping ", "keys"}) {
    if (event.rfind(kind, 0) == 0) return true;
  }
  return false;
}

bool Unanswered(const std::string& event) { return event.ends_with(" (no answer)"); }

int Answered(const std::vector<std::string>& events) {
  int count = 0;
  for (const auto& event : events) count += IsMessage(event) && !Unanswered(event);
  return count;
}

// One command against a target program, on a main window of its own: the
// first Route Editor jump of a window differs from later ones.
struct TargetCommand {
  const char* name;
  int target;
  const char* program;
  bool grab;
  bool after_a_first_jump;
};

void PrintTo(const TargetCommand& command, std::ostream* out) { *out << command.name; }

class FreshWindow : public TargetTest {
 public:
  void TestBody() override {}

  // Opens the target, lets it answer at most `answers` messages (-1: all)
  // and runs the command; returns what happened from the command on.
  std::vector<std::string> Command(const TargetCommand& command, int answers,
                                   bool counted_as_hung = false) {
    std::vector<WindowHandle> target = OpenTarget(desktop, command.target);
    SelectTarget(command.target);
    if (command.after_a_first_jump) Select(0);
    desktop.StopAnsweringAfter(answers);
    for (WindowHandle window : target) desktop.SetHung(window, counted_as_hung);
    boxes_before = messages.History().size();
    if (!command.grab) return Select(0);
    system.events.clear();
    form->GrabPosition();
    return system.events;
  }
  // The message boxes the command showed.
  std::vector<std::string> Shown() const {
    std::vector<std::string> texts;
    for (size_t i = boxes_before; i < messages.History().size(); ++i) {
      const auto& box = messages.History()[i];
      EXPECT_EQ(box.title, "Tarvik");
      EXPECT_EQ(box.kind, ScriptedMessageBoxes::Kind::Warning);
      texts.push_back(box.text);
    }
    return texts;
  }
  bool GrabStillOffered() { return Control("Command_Grab").Enabled(); }
  std::string Waypoint() { return Control("Text_Waypoint").Caption(); }

  size_t boxes_before = 0;
};

class TargetThatStopsAnswering : public ::testing::TestWithParam<TargetCommand> {};

TEST_P(TargetThatStopsAnswering, IsSentNothingMoreInTheCommandAndIsReportedOnce) {
  const TargetCommand& command = GetParam();
  const std::vector<std::string> healthy = FreshWindow().Command(command, -1);
  const int all = Answered(healthy);
  ASSERT_GT(all, 0);
  for (int answers = 0; answers <= all; ++answers) {
    FreshWindow run;
    const std::vector<std::string> events = run.Command(command, answers);
    EXPECT_EQ(Answered(events), answers) << answers;
    if (answers == all) {
      EXPECT_EQ(events, healthy);
      EXPECT_TRUE(run.Shown().empty());
      continue;
    }
    EXPECT_EQ(run.Shown(), std::vector<std::string>{std::string(command.program) +
                                                    " is not responding."})
        << answers;
    // Nothing after the first unanswered message: no message, no key, no
    // pause, no bringing forward.
    auto silence = std::find_if(events.begin(), events.end(), Unanswered);
    if (silence == events.end()) {
      // Keys wait for a foreground that never came.
      EXPECT_EQ(std::count_if(events.begin(), events.end(), IsMessage), 0) << answers;
      continue;
    }
    for (auto after = silence + 1; after != events.end(); ++after) {
      EXPECT_FALSE(IsMessage(*after) || after->starts_with("sleep") ||
                   after->starts_with("foreground") || after->starts_with("restore"))
          << *after << " after " << answers << " answers";
    }
    if (command.grab) {
      EXPECT_TRUE(run.GrabStillOffered()) << "a silent grab changes nothing";
      EXPECT_EQ(run.Waypoint(), "");
    }
  }
}

TEST_P(TargetThatStopsAnswering, IsNotAskedAtAllOnceTheSystemCountsItAsHung) {
  FreshWindow run;
  const std::vector<std::string> events = run.Command(GetParam(), -1, true);
  for (const auto& event : events) {
    EXPECT_TRUE(event == "doevents" || event == "sleep 200") << event;
  }
  EXPECT_EQ(run.Shown(),
            std::vector<std::string>{std::string(GetParam().program) + " is not responding."});
}

INSTANTIATE_TEST_SUITE_P(
    Commands, TargetThatStopsAnswering,
    ::testing::Values(TargetCommand{"FirstRouteEditorJump", 0, "Route Editor", false, false},
                      TargetCommand{"LaterRouteEditorJump", 0, "Route Editor", false, true},
                      TargetCommand{"MosaicJump", 1, "Mosaic", false, false},
                      TargetCommand{"USAPhotoMapsJump", 2, "USAPhotoMaps", false, false},
                      TargetCommand{"RouteEditorGrab", 0, "Route Editor", true, false},
                      TargetCommand{"MosaicGrab", 1, "Mosaic", true, false}),
    [](const ::testing::TestParamInfo<TargetCommand>& info) { return info.param.name; });

TEST_F(TargetTest, KeysGoIntoUSAPhotoMapsOnlyWhileItOwnsTheForeground) {
  SelectTarget(2);
  const WindowHandle other = desktop.AddTopLevel("Other", "Third program");
  struct Situation {
    const char* what;
    bool minimised;
    bool refuses_foreground;
    int batches_before_another_takes_over;  // -1: none does
    int batches_typed;
  };
  const Situation situations[] = {
      {"comes forward", false, false, -1, 6},
      {"restored from minimised", true, false, -1, 6},
      {"never comes forward", false, true, -1, 0},
      {"another program takes over after 1 batch", false, false, 1, 1},
      {"another program takes over after 3 batches", false, false, 3, 3},
      {"another program takes over after 5 batches", false, false, 5, 5},
  };
  for (const auto& situation : situations) {
    const WindowHandle photo_maps = desktop.AddTopLevel("USAPhotoMaps", "USAPhotoMaps");
    desktop.foreground = other;
    desktop.SetMinimized(photo_maps, situation.minimised);
    if (situation.refuses_foreground) desktop.SetRefusesForeground(photo_maps);
    int batches = 0;
    desktop.after_keys = [&] {
      if (++batches == situation.batches_before_another_takes_over) desktop.foreground = other;
    };
    const size_t boxes = messages.History().size();
    const auto events = Select(0);
    EXPECT_EQ(std::count_if(events.begin(), events.end(), IsMessage), situation.batches_typed)
        << situation.what;
    const bool warned = messages.History().size() > boxes;
    EXPECT_EQ(warned, situation.batches_typed < 6) << situation.what;
    if (warned) {
      EXPECT_EQ(LastMessage().text, "USAPhotoMaps is not responding.") << situation.what;
    }
    desktop.Close(photo_maps);
  }
}

}  // namespace
}  // namespace tarvik::app
