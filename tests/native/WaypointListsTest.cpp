#include <gtest/gtest.h>

#include "tests/native/MainWindowFixture.h"

namespace tarvik::app {
namespace {

using platform::Answer;

class WaypointListsTest : public MainWindowTest {
 protected:
  WaypointListsTest() { Load(); }
  std::vector<std::string> Rows(const char* list) { return List(list).Items(); }
};

TEST_F(WaypointListsTest, AddingWestYardFillsBothListsAndEmptiesTheBoxes) {
  AddWaypoint("  West Yard ", " 48.1", "-113.2  ");
  const std::string row = "West Yard\t48.1\t-113.2\t2";
  EXPECT_EQ(Rows("List_Entire"), std::vector<std::string>{row});
  EXPECT_EQ(Rows("List_Recent"), std::vector<std::string>{row});
  EXPECT_EQ(List("List_Recent").ListIndex(), 0);
  EXPECT_EQ(Control("Text_Waypoint").Caption(), "");
  EXPECT_EQ(Control("Text_Latitude").Caption(), "");
  EXPECT_EQ(Control("Text_Longitude").Caption(), "");
  EXPECT_TRUE(form->Document().IsDirty);
  EXPECT_EQ(form->CurrentRow(), row) << "the new waypoint became the current one";
  for (const auto& shown : messages.History()) {
    EXPECT_EQ(shown.text, "Please Open the Route Editor Camera Window.") << "no Add warning";
  }
}

TEST_F(WaypointListsTest, AddJumpsOnceBeforeTheBoxesAreEmptied) {
  AddWaypoint("A", "1", "2");
  EXPECT_EQ(Jumps(), 1);
  EXPECT_EQ(form->LastRow(), "A\t1\t2\t2") << "the first jump remembers its row for Last";
  EXPECT_TRUE(Control("Command_Last").Enabled());
}

TEST_F(WaypointListsTest, AddChecksNameLatitudeLongitudeAndDuplicatesInThatOrder) {
  struct Case {
    const char* name;
    const char* latitude;
    const char* longitude;
    const char* message;
  };
  AddWaypoint("Yard", "1", "1");
  const Case cases[] = {
      {"   ", "x", "x", "Missing waypoint name."},
      {"Tab\tName", "1", "1", "A waypoint name cannot contain a tab or a line break."},
      {"Two\r\nLines", "1", "1", "A waypoint name cannot contain a tab or a line break."},
      {"Line\nFeed", "1", "1", "A waypoint name cannot contain a tab or a line break."},
      {"The \"Old\" Mill", "x", "1", "A waypoint name cannot contain a double quote."},
      {"B", "90.5", "x", "Invalid Latitude."},
      {"B", "", "1", "Invalid Latitude."},
      {"B", "90", "180.01", "Invalid Longitude."},
      {"B", "4.5E1", "abc", "Invalid Longitude."},
      {"Yard", "-90", "-180", "Waypoint aleady exists"},
  };
  for (const auto& c : cases) {
    AddWaypoint(c.name, c.latitude, c.longitude);
    ASSERT_FALSE(messages.History().empty());
    EXPECT_EQ(LastMessage().text, c.message) << c.name;
    EXPECT_EQ(LastMessage().title, "Add Waypoint");
    EXPECT_EQ(LastMessage().kind, ScriptedMessageBoxes::Kind::Warning);
  }
  EXPECT_EQ(List("List_Entire").Count(), 1) << "nothing was added";
  EXPECT_EQ(Control("Text_Waypoint").Caption(), "Yard") << "boxes keep the trimmed text";

  AddWaypoint("yard", "4.5E1", "-180");
  EXPECT_EQ(List("List_Entire").Count(), 2) << "another letter case is another name";
}

TEST_F(WaypointListsTest, TheEntireListStaysSortedIgnoringCase) {
  for (const char* name : {"delta", "Bravo", "alpha", "Charlie", "ALPHA2"}) AddWaypoint(name, "1", "1");
  std::vector<std::string> names;
  for (const auto& row : Rows("List_Entire")) names.push_back(row.substr(0, row.find('\t')));
  EXPECT_EQ(names, (std::vector<std::string>{"alpha", "ALPHA2", "Bravo", "Charlie", "delta"}));
  EXPECT_EQ(Rows("List_Recent").front().substr(0, 5), "delta") << "the recent list keeps arrival order";
}

TEST_F(WaypointListsTest, TheRecentListHoldsElevenRowsAndReusesRows) {
  for (int i = 0; i < 11; ++i) AddWaypoint("W" + std::to_string(i), "1", "1");
  ASSERT_EQ(List("List_Recent").Count(), 11);
  EXPECT_EQ(List("List_Recent").ListIndex(), 10);

  // Selecting a row of the entire list that the recent list has only selects it.
  List("List_Entire").UserSelect(0);  // W0
  EXPECT_EQ(List("List_Recent").Count(), 11);
  EXPECT_EQ(List("List_Recent").ListIndex(), 0);

  AddWaypoint("W11", "1", "1");
  ASSERT_EQ(List("List_Recent").Count(), 11);
  EXPECT_EQ(List("List_Recent").Item(0).substr(0, 2), "W1") << "the oldest went";
  EXPECT_EQ(List("List_Recent").Item(10).substr(0, 3), "W11");
  EXPECT_EQ(List("List_Recent").ListIndex(), 10);
}

TEST_F(WaypointListsTest, SelectingInTheEntireListJumpsOnceAndShowsTheRow) {
  AddWaypoint("A", "1", "2");
  AddWaypoint("B", "3", "4");
  int before = Jumps();
  List("List_Entire").UserSelect(0);
  EXPECT_EQ(Jumps(), before + 1) << "the recent list showed it without jumping again";
  EXPECT_EQ(Control("Text_Waypoint").Caption(), "A");
  EXPECT_EQ(Control("Text_Latitude").Caption(), "1");
  EXPECT_EQ(Control("Text_Longitude").Caption(), "2");
  EXPECT_TRUE(Control("Command_Delete").Enabled());
  EXPECT_FALSE(form->SuppressRecentJump());

  // The row already selected in the recent list: the one-shot flag stays
  // set, so the next pick in the recent list shows its row without jumping.
  List("List_Entire").UserSelect(0);
  EXPECT_TRUE(form->SuppressRecentJump());
  int now = Jumps();
  List("List_Recent").UserSelect(1);
  EXPECT_EQ(Jumps(), now);
  EXPECT_EQ(Control("Text_Waypoint").Caption(), "B");
  List("List_Recent").UserSelect(0);
  EXPECT_EQ(Jumps(), now + 1);
}

TEST_F(WaypointListsTest, DeleteRemovesOnlyTheFirstMatchOfEachList) {
  form->EntireList().AddItem("Twin\t1\t1\t2");
  form->EntireList().AddItem("Twin\t2\t2\t2");
  List("List_Recent").AddItem("Twin\t2\t2\t2");
  Control("Text_Waypoint").Type("Twin");
  messages.ScriptAnswer(Answer::Yes);
  Control("Command_Delete").SetEnabled(true);
  Control("Command_Delete").Click();
  EXPECT_EQ(LastMessage().text, "Delete waypoint Twin?");
  EXPECT_EQ(LastMessage().title, "Delete Waypoint?");
  EXPECT_EQ(LastMessage().kind, ScriptedMessageBoxes::Kind::Question);
  EXPECT_EQ(Rows("List_Entire"), std::vector<std::string>{"Twin\t2\t2\t2"});
  EXPECT_TRUE(Rows("List_Recent").empty());
  EXPECT_EQ(Control("Text_Waypoint").Caption(), "");
  EXPECT_TRUE(form->Document().IsDirty);
}

TEST_F(WaypointListsTest, DeleteAnsweredNoChangesNothingAndUnknownNamesStillDirty) {
  AddWaypoint("Keep", "1", "1");
  form->Document().IsDirty = false;
  Control("Text_Waypoint").Type("Keep");
  messages.ScriptAnswer(Answer::No);
  form->Command_Delete_Click();
  EXPECT_EQ(List("List_Entire").Count(), 1);
  EXPECT_FALSE(form->Document().IsDirty);
  Control("Text_Waypoint").Type(" Keep");  // untrimmed: no match
  messages.ScriptAnswer(Answer::Yes);
  form->Command_Delete_Click();
  EXPECT_EQ(List("List_Entire").Count(), 1);
  EXPECT_TRUE(form->Document().IsDirty);
  EXPECT_EQ(Control("Text_Waypoint").Caption(), "");
}

TEST_F(WaypointListsTest, DeleteSetsGrabForTheTarget) {
  List("Combo_WhichApp").UserSelect(2);
  Control("Command_Grab").SetEnabled(true);
  messages.ScriptAnswer(Answer::Yes);
  form->Command_Delete_Click();
  EXPECT_FALSE(Control("Command_Grab").Enabled());
  List("Combo_WhichApp").UserSelect(1);
  messages.ScriptAnswer(Answer::Yes);
  form->Command_Delete_Click();
  EXPECT_TRUE(Control("Command_Grab").Enabled());
}

TEST_F(WaypointListsTest, LastSwapsWithTheRememberedWaypoint) {
  AddWaypoint("A", "1", "1");
  AddWaypoint("B", "2", "2");
  List("List_Entire").UserSelect(0);  // A; the first jump (Add A) remembered A
  EXPECT_EQ(form->LastRow(), "A\t1\t1\t2");
  Control("Command_Last").Click();
  EXPECT_EQ(Control("Text_Waypoint").Caption(), "A") << "right after the first jump: the same";

  List("List_Entire").UserSelect(1);  // B
  Control("Command_Last").Click();
  EXPECT_EQ(Control("Text_Waypoint").Caption(), "A");
  EXPECT_EQ(form->LastRow(), "B\t2\t2\t2");
  Control("Command_Last").Click();
  EXPECT_EQ(Control("Text_Waypoint").Caption(), "B");
  EXPECT_EQ(form->LastRow(), "A\t1\t1\t2");
}

TEST_F(WaypointListsTest, JumpsPutAnOnTopWindowBackOnTop) {
  Control("Check_OnTop").Click();
  size_t calls = window.TopmostCalls().size();
  AddWaypoint("A", "1", "1");
  EXPECT_EQ(window.TopmostCalls().size(), calls + 1);
  EXPECT_TRUE(window.TopmostCalls().back());
}

}  // namespace
}  // namespace tarvik::app
