#include "platform/win32/Win32Files.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "platform/win32/Utf.h"

namespace tarvik::platform::win32 {
namespace {

class Win32FilesTest : public ::testing::Test {
 protected:
  Win32FilesTest() {
    wchar_t temp[MAX_PATH + 1] = {};
    GetTempPathW(MAX_PATH, temp);
    folder_ = Narrow(temp) + "tarvik-files-" + std::to_string(GetCurrentProcessId()) + "-" +
              std::to_string(GetTickCount64());
    CreateDirectoryW(Widen(folder_).c_str(), nullptr);
  }
  ~Win32FilesTest() override {
    for (const char* name : {"a.mkr", "b.mkr", "ro.mkr", "\xC3\xA4.mkr"}) {
      std::wstring path = Widen(Path(name));
      SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
      DeleteFileW(path.c_str());
    }
    RemoveDirectoryW(Widen(folder_).c_str());
  }
  std::string Path(const char* name) const { return folder_ + "\\" + name; }

  std::string folder_;
  Win32Files files_;
};

TEST_F(Win32FilesTest, CreateNewWritesExactBytesAndNeverReplaces) {
  const Bytes bytes = {0xFF, 0xFE, 0x41, 0x00, 0x0D, 0x00, 0x0A, 0x00};
  const std::string path = Path("\xC3\xA4.mkr");
  EXPECT_FALSE(files_.Exists(path));
  ASSERT_EQ(files_.CreateNew(path, bytes), FileStatus::Ok);
  EXPECT_TRUE(files_.Exists(path));
  EXPECT_EQ(files_.ReadAll(path).value, bytes);
  EXPECT_EQ(files_.CreateNew(path, {1}), FileStatus::Exists);
  EXPECT_EQ(files_.ReadAll(path).value, bytes);
  auto first = files_.ReadFirst(path, 2);
  EXPECT_EQ(first.value, (Bytes{0xFF, 0xFE}));
}

TEST_F(Win32FilesTest, MissingFilesAreReportedAndNeverCreatedByReading) {
  EXPECT_EQ(files_.ReadFirst(Path("a.mkr"), 2).status, FileStatus::NotFound);
  EXPECT_FALSE(files_.Exists(Path("a.mkr")));
  EXPECT_EQ(files_.ReadAll(Path("a.mkr")).status, FileStatus::NotFound);
  EXPECT_EQ(files_.Delete(Path("a.mkr")), FileStatus::NotFound);
  EXPECT_EQ(files_.Copy(Path("a.mkr"), Path("b.mkr")), FileStatus::NotFound);
  EXPECT_EQ(files_.CreateNew(folder_ + "\\no such folder\\a.mkr", {1}), FileStatus::NotFound);
  EXPECT_FALSE(files_.Exists(folder_)) << "a folder is not a file";
}

TEST_F(Win32FilesTest, CopyRefusesToReplaceAndDeleteRemoves) {
  ASSERT_EQ(files_.CreateNew(Path("a.mkr"), {1, 2}), FileStatus::Ok);
  ASSERT_EQ(files_.CreateNew(Path("b.mkr"), {3}), FileStatus::Ok);
  EXPECT_EQ(files_.Copy(Path("a.mkr"), Path("b.mkr")), FileStatus::Exists);
  EXPECT_EQ(files_.ReadAll(Path("b.mkr")).value, Bytes{3});
  EXPECT_EQ(files_.Delete(Path("b.mkr")), FileStatus::Ok);
  EXPECT_EQ(files_.Copy(Path("a.mkr"), Path("b.mkr")), FileStatus::Ok);
  EXPECT_EQ(files_.ReadAll(Path("b.mkr")).value, (Bytes{1, 2}));
}

TEST_F(Win32FilesTest, AReadOnlyFileCannotBeDeleted) {
  ASSERT_EQ(files_.CreateNew(Path("ro.mkr"), {7}), FileStatus::Ok);
  ASSERT_TRUE(SetFileAttributesW(Widen(Path("ro.mkr")).c_str(), FILE_ATTRIBUTE_READONLY));
  EXPECT_EQ(files_.Delete(Path("ro.mkr")), FileStatus::Denied);
  EXPECT_EQ(files_.ReadAll(Path("ro.mkr")).value, Bytes{7});
}

TEST_F(Win32FilesTest, ACopyOfAReadOnlyFileIsNotReadOnly) {
  ASSERT_EQ(files_.CreateNew(Path("ro.mkr"), {7}), FileStatus::Ok);
  ASSERT_TRUE(SetFileAttributesW(Widen(Path("ro.mkr")).c_str(), FILE_ATTRIBUTE_READONLY));
  ASSERT_EQ(files_.Copy(Path("ro.mkr"), Path("b.mkr")), FileStatus::Ok);
  EXPECT_EQ(files_.ReadAll(Path("b.mkr")).value, Bytes{7});
  // A backup made while the file was read-only must not block later saves.
  EXPECT_EQ(files_.Delete(Path("b.mkr")), FileStatus::Ok);
  EXPECT_EQ(files_.Delete(Path("ro.mkr")), FileStatus::Denied) << "the original stays read-only";
}

}  // namespace
}  // namespace tarvik::platform::win32
