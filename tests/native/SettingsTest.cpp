#include "app/Settings.h"

#include <gtest/gtest.h>

#include "platform/memory/MemoryServices.h"

namespace tarvik::app {
namespace {

TEST(SettingsTextForms, WholeTwipsHaveNoDecimalPartAndRoundTrip) {
  EXPECT_EQ(FormatSingle(1000), "1000");
  EXPECT_EQ(FormatSingle(-15), "-15");
  EXPECT_EQ(FormatSingle(0), "0");
  EXPECT_EQ(FormatSingle(-0.0f), "0");
  EXPECT_EQ(FormatSingle(1000.5f), "1000.5");
  for (float value : {0.1f, 12345.678f, -98765.4f, 3.0e7f}) {
    EXPECT_EQ(ParseSingle(FormatSingle(value)), value) << FormatSingle(value);
  }
}

TEST(SettingsTextForms, BooleansAreTrueAndFalseOnly) {
  EXPECT_EQ(FormatBoolean(true), "True");
  EXPECT_EQ(FormatBoolean(false), "False");
  EXPECT_EQ(ParseBoolean("True"), true);
  EXPECT_EQ(ParseBoolean("False"), false);
  for (const char* odd : {"", "1", "-1", "yes", "True ", "TRUE"}) {
    EXPECT_FALSE(ParseBoolean(odd).has_value()) << odd;
  }
}

TEST(SettingsTextForms, NumbersMustBeWholeTexts) {
  EXPECT_EQ(ParseSingle(" 1500 "), 1500.0f);
  EXPECT_EQ(ParseSingle("+7.5"), 7.5f);
  EXPECT_EQ(ParseSingle("1E3"), 1000.0f);
  for (const char* odd : {"", "abc", "12px", "1,5", "inf", "nan", "1e999", "--1"}) {
    EXPECT_FALSE(ParseSingle(odd).has_value()) << odd;
  }
  EXPECT_EQ(ParseInteger("2"), 2);
  EXPECT_EQ(ParseInteger("-3"), -3);
  EXPECT_FALSE(ParseInteger("1.5").has_value());
  EXPECT_FALSE(ParseInteger("70000").has_value()) << "does not fit 16 bits";
  EXPECT_EQ(FormatInteger(-2), "-2");
}

TEST(SettingsReaders, MissingOrUnparsableValuesGiveTheDefault) {
  platform::memory::MemorySettingsStore store;
  EXPECT_EQ(ReadSingle(store, "Settings", "MainLeft", 1000), 1000.0f);
  store.Put("Settings", "MainLeft", "left");
  store.Put("Settings", "IsWide", "maybe");
  store.Put("Settings", "WhichApp", "two");
  EXPECT_EQ(ReadSingle(store, "Settings", "MainLeft", 1000), 1000.0f);
  EXPECT_TRUE(ReadBoolean(store, "Settings", "IsWide", true));
  EXPECT_EQ(ReadInteger(store, "Settings", "WhichApp", 0), 0);
  store.Put("Settings", "MainLeft", "-300");
  EXPECT_EQ(ReadSingle(store, "Settings", "MainLeft", 1000), -300.0f);
}

}  // namespace
}  // namespace tarvik::app
