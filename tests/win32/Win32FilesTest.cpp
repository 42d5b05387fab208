#include "platform/win32/Win32Files.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "platform/win32/Handles.h"
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
    for (const char* name : {"a.mkr", "b.mkr", "ro.mkr", "big.mkr", "\xC3\xA4.mkr"}) {
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

TEST_F(Win32FilesTest, AFileNamedLikeADeviceIsTheFileOfThatName) {
  // Wine opens such a name in any folder as the device itself, an empty
  // stream that swallows what is written to it.
  for (const char* name : {"nul.mkr", "CON.gpx", "aux", "com1.csv"}) {
    SCOPED_TRACE(name);
    const std::string path = Path(name);
    ASSERT_EQ(files_.CreateNew(path, {0xFF, 0xFE, 0x41, 0x00}), FileStatus::Ok);
    EXPECT_TRUE(files_.Exists(path));
    EXPECT_EQ(files_.ReadFirst(path, 2).value, (Bytes{0xFF, 0xFE}));
    ASSERT_EQ(files_.Move(path, Path("b.mkr")), FileStatus::Ok);
    ASSERT_EQ(files_.Move(Path("b.mkr"), path), FileStatus::Ok);
    WIN32_FIND_DATAW found{};
    HANDLE search = FindFirstFileW(Widen(Path("*")).c_str(), &found);
    ASSERT_NE(search, INVALID_HANDLE_VALUE);
    bool listed = false;
    do {
      listed = listed || Narrow(found.cFileName) == name;
    } while (FindNextFileW(search, &found));
    FindClose(search);
    EXPECT_TRUE(listed) << "not in the folder";
    EXPECT_EQ(files_.Delete(path), FileStatus::Ok);
    EXPECT_FALSE(files_.Exists(path));
  }
}

TEST_F(Win32FilesTest, MissingFilesAreReportedAndNeverCreatedByReading) {
  EXPECT_EQ(files_.ReadFirst(Path("a.mkr"), 2).status, FileStatus::NotFound);
  EXPECT_FALSE(files_.Exists(Path("a.mkr")));
  EXPECT_EQ(files_.ReadAll(Path("a.mkr")).status, FileStatus::NotFound);
  EXPECT_EQ(files_.Delete(Path("a.mkr")), FileStatus::NotFound);
  EXPECT_EQ(files_.Move(Path("a.mkr"), Path("b.mkr")), FileStatus::NotFound);
  EXPECT_EQ(files_.CreateNew(folder_ + "\\no such folder\\a.mkr", {1}), FileStatus::NotFound);
  EXPECT_FALSE(files_.Exists(folder_)) << "a folder is not a file";
}

TEST_F(Win32FilesTest, MoveRenamesAndReplacesInOneStepButNeverAReadOnlyFile) {
  ASSERT_EQ(files_.CreateNew(Path("a.mkr"), {1, 2}), FileStatus::Ok);
  ASSERT_EQ(files_.Move(Path("a.mkr"), Path("b.mkr")), FileStatus::Ok);
  EXPECT_FALSE(files_.Exists(Path("a.mkr")));
  EXPECT_EQ(files_.ReadAll(Path("b.mkr")).value, (Bytes{1, 2}));

  ASSERT_EQ(files_.CreateNew(Path("a.mkr"), {3}), FileStatus::Ok);
  ASSERT_EQ(files_.Move(Path("a.mkr"), Path("b.mkr")), FileStatus::Ok) << "replaces b.mkr";
  EXPECT_FALSE(files_.Exists(Path("a.mkr")));
  EXPECT_EQ(files_.ReadAll(Path("b.mkr")).value, Bytes{3});

  // The user's protection holds either way round, and both stay as they were.
  ASSERT_EQ(files_.CreateNew(Path("ro.mkr"), {7}), FileStatus::Ok);
  ASSERT_TRUE(SetFileAttributesW(Widen(Path("ro.mkr")).c_str(), FILE_ATTRIBUTE_READONLY));
  EXPECT_EQ(files_.Move(Path("ro.mkr"), Path("a.mkr")), FileStatus::Denied);
  EXPECT_EQ(files_.Move(Path("b.mkr"), Path("ro.mkr")), FileStatus::Denied);
  EXPECT_EQ(files_.ReadAll(Path("ro.mkr")).value, Bytes{7});
  EXPECT_EQ(files_.ReadAll(Path("b.mkr")).value, Bytes{3});
  EXPECT_FALSE(files_.Exists(Path("a.mkr")));
  EXPECT_EQ(files_.Move(Path("b.mkr"), folder_), FileStatus::Exists) << "a folder is not replaced";
}

TEST_F(Win32FilesTest, AReadOnlyFileCannotBeDeleted) {
  ASSERT_EQ(files_.CreateNew(Path("ro.mkr"), {7}), FileStatus::Ok);
  ASSERT_TRUE(SetFileAttributesW(Widen(Path("ro.mkr")).c_str(), FILE_ATTRIBUTE_READONLY));
  EXPECT_EQ(files_.Delete(Path("ro.mkr")), FileStatus::Denied);
  EXPECT_EQ(files_.ReadAll(Path("ro.mkr")).value, Bytes{7});
}

// Sets the file's length without writing it: the file system leaves a hole.
bool MakeFileOfSize(const std::string& path, std::uint64_t size) {
  HANDLE handle = CreateFileW(Widen(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
  if (handle == INVALID_HANDLE_VALUE) return false;
  UniqueFile file(handle);
  DWORD written = 0;
  const std::uint8_t mark[] = {0xFF, 0xFE};
  LARGE_INTEGER end{};
  end.QuadPart = static_cast<LONGLONG>(size);
  return WriteFile(file.get(), mark, 2, &written, nullptr) &&
         SetFilePointerEx(file.get(), end, nullptr, FILE_BEGIN) && SetEndOfFile(file.get());
}

TEST_F(Win32FilesTest, ReadAllRefusesAFileLargerThanTheLimitWithoutReadingIt) {
  ASSERT_TRUE(MakeFileOfSize(Path("big.mkr"), kLargestReadable + 1));
  auto all = files_.ReadAll(Path("big.mkr"));
  EXPECT_EQ(all.status, FileStatus::TooLarge);
  EXPECT_TRUE(all.value.empty());
  EXPECT_EQ(files_.ReadFirst(Path("big.mkr"), 2).value, (Bytes{0xFF, 0xFE})) << "the start still reads";

  ASSERT_TRUE(MakeFileOfSize(Path("big.mkr"), kLargestReadable));
  all = files_.ReadAll(Path("big.mkr"));
  ASSERT_EQ(all.status, FileStatus::Ok) << "the limit itself is still read";
  EXPECT_EQ(all.value.size(), kLargestReadable);
}

}  // namespace
}  // namespace tarvik::platform::win32
