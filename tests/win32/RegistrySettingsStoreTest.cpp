#include "platform/win32/RegistrySettingsStore.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "platform/win32/Utf.h"

namespace tarvik::platform::win32 {
namespace {

// Each run writes under an application name of its own and removes it.
class RegistryStoreTest : public ::testing::Test {
 protected:
  RegistryStoreTest()
      : application_("TarvikStoreTest" + std::to_string(GetCurrentProcessId())),
        store_(application_) {}
  ~RegistryStoreTest() override {
    RegDeleteTreeW(HKEY_CURRENT_USER, Widen("Software\\" + application_).c_str());
  }

  std::wstring RawType(const char* section, const char* key) {
    DWORD type = 0;
    std::wstring path = Widen("Software\\" + application_ + "\\" + section);
    if (RegGetValueW(HKEY_CURRENT_USER, path.c_str(), Widen(key).c_str(), RRF_RT_ANY, &type,
                     nullptr, nullptr) != ERROR_SUCCESS) {
      return L"missing";
    }
    return type == REG_SZ ? L"REG_SZ" : L"other";
  }

  std::string application_;
  RegistrySettingsStore store_;
};

TEST_F(RegistryStoreTest, MissingKeysAndSectionsReadAsAbsent) {
  EXPECT_FALSE(store_.Read("Settings", "MainLeft").has_value());
  ASSERT_TRUE(store_.Write("Settings", "IsWide", "True"));
  EXPECT_FALSE(store_.Read("Settings", "MainLeft").has_value());
  EXPECT_FALSE(store_.Read("MRUFiles", "0").has_value());
}

TEST_F(RegistryStoreTest, ValuesAreTextUnderTheApplicationAndSection) {
  ASSERT_TRUE(store_.Write("Settings", "MainLeft", "1000"));
  ASSERT_TRUE(store_.Write("MRUFiles", "0", "C:\\Routes\\Pass.mkr"));
  EXPECT_EQ(store_.Read("Settings", "MainLeft"), "1000");
  EXPECT_EQ(store_.Read("MRUFiles", "0"), "C:\\Routes\\Pass.mkr");
  EXPECT_EQ(RawType("Settings", "MainLeft"), L"REG_SZ");
  EXPECT_EQ(RawType("MRUFiles", "0"), L"REG_SZ");
}

TEST_F(RegistryStoreTest, OverwritesKeepUnicodeAndLongAndEmptyTexts) {
  ASSERT_TRUE(store_.Write("MRUFiles", "1", "first"));
  const std::string unicode = "D:\\Str\xC3\xA4\xC3\x9F" "e\\\xE5\x8C\x97\\\xF0\x9F\x9A\x82.mkr";
  ASSERT_TRUE(store_.Write("MRUFiles", "1", unicode));
  EXPECT_EQ(store_.Read("MRUFiles", "1"), unicode);

  const std::string long_path = "C:\\" + std::string(5000, 'x') + ".mkr";
  ASSERT_TRUE(store_.Write("MRUFiles", "2", long_path));
  EXPECT_EQ(store_.Read("MRUFiles", "2"), long_path);

  ASSERT_TRUE(store_.Write("MRUFiles", "3", ""));
  EXPECT_EQ(store_.Read("MRUFiles", "3"), std::string());
}

}  // namespace
}  // namespace tarvik::platform::win32
