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
  pairings.push_back({PairName(kOwnBits, kPartnerBits), own, partner});
  pairings.push_back({PairName(kPartnerBits, kOwnBits), partner, own});
#endif
  return pairings;
}

// Non-ANSI letters and spaces, as a path from Explorer can hold them: the
// command line has to be read wide to keep them.
const std::wstring kRouteFileName =
    L"Route \u00dcber \u041c\u0430\u0440\u0448\u0440\u0443\u0442.mkr";
const std::vector<TypedWaypoint> kRouteSorted{kFalls, kLakeTile, kSummit};

std::wstring Quoted(const path& file) { return L"\"" + file.wstring() + L"\""; }

class CommandLine : public TargetProgramTest, public testing::WithParamInterface<Pairing> {
 protected:
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

TEST_F(CommandLineFile, AMissingFileIsReportedWithItsFullPathAndTarvikStaysOpen) {
  // A name relative to the folder the program was started in, as a script
  // or a shortcut's "Start in" gives it.
  ASSERT_NO_FATAL_FAILURE(Start(BuiltTarvikExe(), folder_.Path(), L"nowhere.mkr"));
  HWND box = WaitForMessageBox(process_->Id(), kStartLimit);
  ASSERT_NE(box, nullptr) << "no message about the missing file";
  EXPECT_EQ(StoredTextOf(box), L"Tarvik");
  EXPECT_EQ(MessageTextOf(box),
            (folder_.Path() / L"nowhere.mkr").wstring() + L"\rNot Found or is not Unicode format.");
  EXPECT_EQ(VisibleButtonsOf(box), std::vector<std::wstring>{L"OK"});
  EXPECT_TRUE(HasIcon(box));
  main_ = VisibleTopWindowOf(process_->Id(), app::win32::kMainClass);
  ASSERT_NE(main_, nullptr) << "the message came before the main window";

  ASSERT_TRUE(Click(ButtonOf(box, L"OK")));
  ASSERT_TRUE(WaitUntilGoneOrHidden(box, kWindowLimit));
  EXPECT_TRUE(Ask(main_, WM_NULL).has_value()) << "the main window does not answer";
  EXPECT_EQ(Caption(), L"untitled");
  ASSERT_NO_FATAL_FAILURE(CloseExpectingNoQuestion());
  EXPECT_FALSE(ReadTarvikValue(L"MRUFiles", L"0").has_value()) << OtherCopies();
}

}  // namespace
}  // namespace tarvik::e2e
