#include <gtest/gtest.h>

#include <random>

#include "waypoints/Coordinates.h"
#include "waypoints/DocumentPaths.h"
#include "waypoints/RowOrder.h"
#include "waypoints/WaypointRow.h"

namespace tarvik::waypoints {
namespace {

TEST(WaypointRow, JoinsAndSplitsAtTheFirstThreeTabs) {
  EXPECT_EQ(JoinRow({"West Yard", "48.1", "-113.2", "2"}), "West Yard\t48.1\t-113.2\t2");
  auto split = SplitRow("N\t\t-1\tx\ty\t");
  ASSERT_TRUE(split.has_value());
  EXPECT_EQ(*split, (Waypoint{"N", "", "-1", "x\ty\t"}));
  EXPECT_EQ(JoinRow(*split), "N\t\t-1\tx\ty\t") << "rebuilt unchanged";
  EXPECT_FALSE(SplitRow("a\tb\tc").has_value());
  EXPECT_EQ(RowName("West Yard\t48.1\t-113.2\t2"), "West Yard");
}

TEST(Coordinates, BoundsAndForms) {
  for (const char* valid : {"90", "-90", "0", "45.5", "4.5E1", "+12", ".5", "5.", "-0.0", "9e-1"}) {
    EXPECT_TRUE(IsValidLatitude(valid)) << valid;
  }
  for (const char* invalid : {"90.5", "90.0001", "abc", "12abc", ".", "", " 45", "45 ", "1,5",
                              "1E999", "--1", "1e", "e5", "0x10", "4.5.1", "inf", "nan"}) {
    EXPECT_FALSE(IsValidLatitude(invalid)) << invalid;
  }
  EXPECT_TRUE(IsValidLongitude("180"));
  EXPECT_TRUE(IsValidLongitude("-180"));
  EXPECT_TRUE(IsValidLongitude("-113.2"));
  EXPECT_FALSE(IsValidLongitude("180.01"));
  EXPECT_FALSE(IsValidLongitude("-1E999"));
}

TEST(RowOrder, AscendingWithLetterCaseIgnoredOverTheWholeRow) {
  std::vector<std::string> rows = {"b\t1\t1\t2", "A\t1\t1\t2", "a-c\t1\t1\t2", "ab\t1\t1\t2",
                                   "\xC3\x84rger\t1\t1\t2", "\xC3\xA4pfel\t1\t1\t2", "B\t0\t1\t2"};
  SortRows(rows);
  EXPECT_EQ(rows, (std::vector<std::string>{"A\t1\t1\t2", "a-c\t1\t1\t2", "ab\t1\t1\t2",
                                            "B\t0\t1\t2", "b\t1\t1\t2", "\xC3\xA4pfel\t1\t1\t2",
                                            "\xC3\x84rger\t1\t1\t2"}));
  // Equal ignoring case: the newcomer goes after the ones already there.
  std::vector<std::string> list = {"a\t1\t1\t2", "b\t1\t1\t2"};
  EXPECT_EQ(SortedInsertIndex(2, [&](int i) { return list[i]; }, "A\t1\t1\t2"), 1);
  EXPECT_EQ(SortedInsertIndex(2, [&](int i) { return list[i]; }, "0"), 0);
  EXPECT_EQ(SortedInsertIndex(2, [&](int i) { return list[i]; }, "z"), 2);
  EXPECT_TRUE(EqualIgnoringCase("C:\\Routes\\Pass.mkr", "c:\\routes\\PASS.MKR"));
  EXPECT_TRUE(EqualIgnoringCase("\xD0\x9C\xD0\xBE\xD1\x81", "\xD0\xBC\xD0\x9E\xD0\xA1"));
  EXPECT_FALSE(EqualIgnoringCase("Pass.mkr", "Pass.mkr "));
}

// Names that sort next to each other: letter case, a name that is another's
// start, characters below and above the tab, and letters beyond ASCII.
const std::vector<std::string> kCloseNames = {
    "a", "A", "ab", "aB", "a b", "a-b", "a\x01", "a!",
    "\xC3\xA4", "\xC3\x84", "\xC3\xA4x", "b", "B"};

TEST(RowOrder, FindingANameInOrderAgreesWithAWalkFromTheTop) {
  for (unsigned seed = 1; seed <= 20; ++seed) {
    std::mt19937 random(seed);
    std::vector<std::string> rows;
    const int count = 1 + static_cast<int>(random() % 40);
    for (int i = 0; i < count; ++i) {
      const std::string& name = kCloseNames[random() % kCloseNames.size()];
      rows.push_back(name + "\t" + std::to_string(random() % 7) + "\t1\t2");
    }
    SortRows(rows);
    auto row_at = [&](int i) { return rows[static_cast<std::size_t>(i)]; };
    std::vector<std::string> wanted = kCloseNames;
    wanted.insert(wanted.end(), {"", "c", "A b", "\xC3\xA4X"});
    for (const std::string& name : wanted) {
      int walked = -1;
      for (int i = 0; i < count && walked < 0; ++i) {
        if (RowName(rows[static_cast<std::size_t>(i)]) == name) walked = i;
      }
      EXPECT_EQ(FindNameInOrder(count, row_at, name), walked) << "seed " << seed << ", " << name;
    }
  }
  EXPECT_EQ(FindNameInOrder(0, [](int) { return std::string(); }, "a"), -1);
}

TEST(RowOrder, MergingRowsInPutsThemWhereAddingThemOneByOneWould) {
  for (unsigned seed = 1; seed <= 20; ++seed) {
    std::mt19937 random(seed);
    auto some_rows = [&] {
      std::vector<std::string> rows;
      for (int i = static_cast<int>(random() % 30); i > 0; --i) {
        rows.push_back(kCloseNames[random() % kCloseNames.size()] + "\t" +
                       std::to_string(random() % 3) + "\t1\t2");
      }
      return rows;
    };
    std::vector<std::string> list = some_rows();
    SortRows(list);
    const std::vector<std::string> added = some_rows();
    std::vector<std::string> one_by_one = list;
    for (const auto& row : added) {
      const int count = static_cast<int>(one_by_one.size());
      const int at = SortedInsertIndex(count, [&](int i) { return one_by_one[i]; }, row);
      one_by_one.insert(one_by_one.begin() + at, row);
    }
    const auto merged = MergeRows(list, added);
    EXPECT_EQ(std::vector<std::string>(merged.begin(), merged.end()), one_by_one) << "seed " << seed;
  }
}

TEST(DocumentPaths, BackupsStayBesideTheFileAndNeverReplaceIt) {
  EXPECT_EQ(BackupPathFor("C:\\Routes\\pass.mkr"), "C:\\Routes\\pass.bak");
  EXPECT_EQ(BackupPathFor("C:\\Routes\\PASS.MKR"), "C:\\Routes\\PASS.bak");
  EXPECT_EQ(BackupPathFor("C:\\Routes\\pass"), "C:\\Routes\\pass.bak");
  EXPECT_EQ(BackupPathFor("C:\\my.mkr files\\route"), "C:\\my.mkr files\\route.bak");
  EXPECT_EQ(BackupPathFor("C:\\v1.2\\route.txt"), "C:\\v1.2\\route.bak");
  EXPECT_EQ(BackupPathFor("C:\\Routes\\.mkrc"), "C:\\Routes\\.bak");
  EXPECT_EQ(BackupPathFor("C:\\Routes\\old.BAK"), "C:\\Routes\\old.BAK.bak");
  EXPECT_EQ(FileNamePart("C:\\Routes\\Pass.mkr"), "Pass.mkr");
  EXPECT_EQ(FileNamePart("Pass.mkr"), "Pass.mkr");
}

}  // namespace
}  // namespace tarvik::waypoints
