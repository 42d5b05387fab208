#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "ControlReader.h"
#include "MessageBoxReader.h"
#include "SettingsRegistry.h"
#include "TargetPrograms.h"
#include "WindowSearch.h"
#include "app/win32/WindowClasses.h"

namespace tarvik::e2e {
namespace {

using std::filesystem::path;

constexpr milliseconds kStandinLimit{10000};
constexpr int kOwnBits = sizeof(void*) * 8;

// Which build's tarvik.exe starts beside which build's Route Editor. In a
// 64-bit prefix, where programs of both bitnesses run, the other build's
// programs pair with this one's, so that every window message and read
// crosses between 32 and 64 bits one way and the other.
struct Pairing {
  std::string name;
  path tarvik_folder;
  path route_editor_folder;
  bool starts_32bit = false;
};

void PrintTo(const Pairing& pairing, std::ostream* out) { *out << pairing.name; }

std::string PairName(int tarvik_bits, int route_editor_bits) {
  return "Tarvik" + std::to_string(tarvik_bits) + "WithRouteEditor" +
         std::to_string(route_editor_bits);
}

std::vector<Pairing> Pairings() {
  const path own = TestProgramFolder();
  std::vector<Pairing> pairings{{PairName(kOwnBits, kOwnBits), own, own}};
#ifdef TARVIK_E2E_PARTNER_BIN
  const path partner = TARVIK_E2E_PARTNER_BIN;
  constexpr int kPartnerBits = TARVIK_E2E_PARTNER_BITS;
  constexpr bool kStarts32 = kOwnBits == 32 || kPartnerBits == 32;
  pairings.push_back({PairName(kOwnBits, kPartnerBits), own, partner, kStarts32});
  pairings.push_back({PairName(kPartnerBits, kOwnBits), partner, own, kStarts32});
#endif
  return pairings;
}

// Non-ANSI letters and spaces, as a path from Explorer can hold them: the
// command line has to be read wide to keep them.
const std::wstring kRouteFileName =
    L"Route \u00dcber \u041c\u0430\u0440\u0448\u0440\u0443\u0442.mkr";
const std::vector<TypedWaypoint> kRouteSorted{kFalls, kLakeTile, kSummit};

std::wstring Quoted(const path& file) { return L"\"" + file.wstring() + L"\""; }

// The test scripts decide once whether this machine runs 32-bit programs
// (cmake/wine-mode.sh) and say so in the environment Wine hands on.
std::wstring WineMode() {
  wchar_t mode[16] = {};
  DWORD length = GetEnvironmentVariableW(L"TARVIK_WINE_MODE", mode, 16);
  return length > 0 && length < 16 ? mode : L"";
}

class CommandLine : public TargetProgramTest, public testing::WithParamInterface<Pairing> {
 protected:
  void SetUp() override {
    if (GetParam().starts_32bit && WineMode() == L"64only") {
      GTEST_SKIP() << "this pairing starts a 32-bit program, and this machine runs none";
    }
    TargetProgramTest::SetUp();
  }

  void LaunchPairing(const std::wstring& arguments) {
    standin_ = Standin::StartFrom(GetParam().route_editor_folder, kRouteEditor);
    ASSERT_TRUE(standin_.has_value()) << "cannot start the stand-in, error " << GetLastError();
    ASSERT_NO_FATAL_FAILURE(
        Launch(GetParam().tarvik_folder / L"tarvik.exe", folder_.Path(), arguments));
    standin_main_ = standin_->WaitForMain(kStandinLimit);
    ASSERT_NE(standin_main_, nullptr) << "the stand-in shows no main window";
  }
};

TEST_P(CommandLine, TheFirstFileNamedOpensAndItsWaypointsDriveTheRouteEditor) {
  const path route = folder_.Path() / kRouteFileName;
  const path other = folder_.Path() / L"other.mkr";
  ASSERT_TRUE(WriteFileBytes(route, MarkerFileBytes(kRouteSorted)));
  ASSERT_TRUE(WriteFileBytes(other, MarkerFileBytes({kBelton})));

  ASSERT_NO_FATAL_FAILURE(LaunchPairing(Quoted(route) + L" " + Quoted(other)));
  // The file opens once start-up is done, just after the window shows.
  EXPECT_TRUE(WaitUntil([&] { return Caption() == kRouteFileName; }, kWindowLimit))
      << "caption " << Caption() << MessageBoxesUp();
  ASSERT_NO_FATAL_FAILURE(ExpectNoMessageBox());
  EXPECT_EQ(Rows("List_Entire"), RowsOf(kRouteSorted));

  ASSERT_NO_FATAL_FAILURE(Select("List_Entire", kLakeTile));
  HWND camera = standin_->TopWindow(L"RouteEditorCamera");
  EXPECT_EQ(TextSoon(NthChild(camera, kCameraLatitude), kLakeTile.latitude), kLakeTile.latitude);
  EXPECT_EQ(TextSoon(NthChild(camera, kCameraLongitude), kLakeTile.longitude),
            kLakeTile.longitude);
  EXPECT_EQ(Rows("List_Recent"), RowsOf({kLakeTile}));

  // Recorded in Recent Files as File > Open records it; the second file not.
  ASSERT_NO_FATAL_FAILURE(CloseExpectingNoQuestion());
  EXPECT_EQ(ReadTarvikValue(L"MRUFiles", L"0"), route.wstring()) << OtherCopies();
  EXPECT_FALSE(ReadTarvikValue(L"MRUFiles", L"1").has_value()) << OtherCopies();
}

INSTANTIATE_TEST_SUITE_P(Builds, CommandLine, testing::ValuesIn(Pairings()),
                         [](const auto& info) { return info.param.name; });

class CommandLineFile : public WaypointWindowTest {};

// ASCII text as UTF-16LE, NUL characters included.
std::string Utf16Bytes(std::string_view text) {
  std::string bytes;
  for (char c : text) bytes += {c, '\0'};
  return bytes;
}

TEST_F(CommandLineFile, AFileThatCannotBeReadIsReportedWithItsFullPathAndTarvikStaysOpen) {
  struct BadFile {
    const wchar_t* name;
    std::string bytes;  // empty: no such file
    const wchar_t* sentence;
  };
  // A file named like a DOS device is the file of that name, not the
  // device's empty stream; a NUL in a field is a format fault like a tab.
  const BadFile bad_files[] = {
      {L"nowhere.mkr", "", L"Not Found or is not Unicode format."},
      {L"nul.mkr",
       "\xFF\xFE" + Utf16Bytes("SIMISA@@@@@@@@@@JINX0I0t______\r\nMarker ( 1 2 \"A") +
           Utf16Bytes(std::string(1, '\0')) + Utf16Bytes("B\" 2 )\r\n"),
       L"has incorrect format."},
  };
  for (const BadFile& bad : bad_files) {
    SCOPED_TRACE(testing::Message() << std::filesystem::path(bad.name));
    const path file = folder_.Path() / bad.name;
    // Only the \\?\ form reaches a file named like a device, here and
    // when the folder is cleaned up.
    const std::wstring as_named = L"\\\\?\\" + file.wstring();
    if (!bad.bytes.empty()) {
      ASSERT_TRUE(WriteFileBytes(as_named, bad.bytes));
    }
    // A name relative to the folder the program was started in, as a script
    // or a shortcut's "Start in" gives it.
    ASSERT_NO_FATAL_FAILURE(Start(BuiltTarvikExe(), folder_.Path(), bad.name));
    HWND box = WaitForMessageBox(process_->Id(), kStartLimit);
    ASSERT_NE(box, nullptr) << "no message about the file";
    EXPECT_EQ(StoredTextOf(box), L"Tarvik");
    EXPECT_EQ(MessageTextOf(box), file.wstring() + L"\r" + bad.sentence);
    EXPECT_EQ(VisibleButtonsOf(box), std::vector<std::wstring>{L"OK"});
    EXPECT_TRUE(HasIcon(box));
    main_ = VisibleTopWindowOf(process_->Id(), app::win32::kMainClass);
    ASSERT_NE(main_, nullptr) << "the message came before the main window";

    ASSERT_TRUE(Click(ButtonOf(box, L"OK")));
    ASSERT_TRUE(WaitUntilGoneOrHidden(box, kWindowLimit));
    EXPECT_TRUE(Ask(main_, WM_NULL).has_value()) << "the main window does not answer";
    EXPECT_EQ(Caption(), L"untitled");
    EXPECT_EQ(Rows("List_Entire"), std::vector<std::wstring>{});
    ASSERT_NO_FATAL_FAILURE(CloseExpectingNoQuestion());
    EXPECT_FALSE(ReadTarvikValue(L"MRUFiles", L"0").has_value()) << OtherCopies();
    DeleteFileW(as_named.c_str());
  }
}

}  // namespace
}  // namespace tarvik::e2e
