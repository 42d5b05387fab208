#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "TarvikProcess.h"

namespace tarvik::e2e {
namespace {

using std::filesystem::path;

// This build's tarvik.exe and, when given, the other bitness's.
std::vector<path> Executables() {
  std::vector<path> executables{BuiltTarvikExe()};
#ifdef TARVIK_E2E_PARTNER_BIN
  executables.push_back(path(TARVIK_E2E_PARTNER_BIN) / L"tarvik.exe");
#endif
  return executables;
}

std::optional<std::wstring> VersionString(const std::vector<BYTE>& info, const wchar_t* name) {
  void* value = nullptr;
  UINT length = 0;
  const std::wstring key = std::wstring(L"\\StringFileInfo\\040904B0\\") + name;
  if (!VerQueryValueW(info.data(), key.c_str(), &value, &length) || length == 0) return std::nullopt;
  return std::wstring(static_cast<const wchar_t*>(value));
}

class ExecutableResources : public testing::TestWithParam<path> {};

TEST_P(ExecutableResources, CarryTheVersionTheManifestAndTheIcon) {
  const path exe = GetParam();
  DWORD ignored = 0;
  const DWORD size = GetFileVersionInfoSizeW(exe.c_str(), &ignored);
  ASSERT_GT(size, 0u) << exe << " has no version resource";
  std::vector<BYTE> info(size);
  ASSERT_TRUE(GetFileVersionInfoW(exe.c_str(), 0, size, info.data()));
  EXPECT_EQ(VersionString(info, L"ProductName"), L"Tarvik");
  EXPECT_EQ(VersionString(info, L"FileVersion"), L"" TARVIK_E2E_VERSION);
  EXPECT_EQ(VersionString(info, L"OriginalFilename"), L"tarvik.exe");

  // As data: a program of the other bitness cannot be loaded to run.
  HMODULE module = LoadLibraryExW(exe.c_str(), nullptr,
                                  LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
  ASSERT_NE(module, nullptr) << "cannot read " << exe;
  EXPECT_NE(FindResourceW(module, MAKEINTRESOURCEW(1), RT_MANIFEST), nullptr) << "no manifest";
  EXPECT_NE(FindResourceW(module, MAKEINTRESOURCEW(1), RT_GROUP_ICON), nullptr) << "no icon";
  FreeLibrary(module);
}

INSTANTIATE_TEST_SUITE_P(Builds, ExecutableResources, testing::ValuesIn(Executables()),
                         [](const auto& info) {
                           return info.index == 0 ? std::string("ThisBuild") : std::string("OtherBitness");
                         });

}  // namespace
}  // namespace tarvik::e2e
