#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

#include "ControlReader.h"
#include "Geometry.h"
#include "Screenshot.h"
#include "SettingsRegistry.h"
#include "TargetPrograms.h"
#include "WindowSearch.h"
#include "transit/TransitWindowDesign.h"

namespace tarvik::e2e {
namespace {

const std::filesystem::path kScreenshotFolder = TARVIK_E2E_SCREENSHOT_DIR;

constexpr std::wstring_view kTransitClass = L"TarvikTransit";
constexpr int kFirstControlId = 100;
// Ten passes a second: a value the window shows within this long it shows
// for good, and a pass missed in this long was not run.
constexpr milliseconds kMeasureLimit{3000};
constexpr milliseconds kSeveralPasses{800};

struct Position {
  std::wstring x;
  std::wstring y;
  std::wstring z;
};

// The camera where the stand-in starts it, on the tile of the worked
// example; the placement where the stand-in starts it.
const Position kCamera{L"0.000", L"60.000", L"0.000"};
const Position kPlacement{L"110.000", L"50.000", L"210.000"};

int TransitControlId(std::string_view name) {
  const auto& design = transit::TransitWindowControls();
  for (size_t i = 0; i < design.size(); ++i) {
    if (design[i].name == name) return kFirstControlId + static_cast<int>(i);
  }
  throw std::invalid_argument("no Transit control named " + std::string(name));
}

class TransitWindow : public TargetProgramTest {
 protected:
  void SetUp() override {
    ASSERT_NO_FATAL_FAILURE(TargetProgramTest::SetUp());
    ASSERT_NO_FATAL_FAILURE(LaunchBeside(kRouteEditor));
    camera_ = standin_->TopWindow(L"RouteEditorCamera");
    object_ = standin_->TopWindow(L"RouteEditorObject");
    placement_ = standin_->TopWindow(L"RouteEditorPlacement");
    ASSERT_TRUE(camera_ && object_ && placement_) << "a tool window of the stand-in is missing";
    ASSERT_NO_FATAL_FAILURE(Put(camera_, {kCameraX, kCameraY, kCameraZ}, kCamera));
    ASSERT_EQ(TextOf(NthChild(camera_, kCameraTileX)), L"-11000");
    ASSERT_EQ(TextOf(NthChild(camera_, kCameraTileZ)), L"14300");
  }

  // Types a position into three of a tool window's fields.
  static void Put(HWND tool, const int (&children)[3], const Position& at) {
    ASSERT_TRUE(SetText(NthChild(tool, children[0]), at.x));
    ASSERT_TRUE(SetText(NthChild(tool, children[1]), at.y));
    ASSERT_TRUE(SetText(NthChild(tool, children[2]), at.z));
  }
  void PutPlacement(const Position& at) {
    ASSERT_NO_FATAL_FAILURE(Put(placement_, {kPlacementX, kPlacementY, kPlacementZ}, at));
  }

  // Presses Transit and waits for its window; sets transit_.
  void OpenTransit() {
    ASSERT_TRUE(Click(Control("Command_Transit")));
    transit_ = WaitForTopWindow(process_->Id(), kTransitClass, kWindowLimit);
    ASSERT_NE(transit_, nullptr) << "Transit opened no window";
    EXPECT_EQ(StoredTextOf(transit_), L"RE Transit");
    EXPECT_EQ(GetWindow(transit_, GW_OWNER), main_);
  }

  // Label_Info lies in a frame, so it is looked for among all descendants.
  HWND Part(std::string_view name) const {
    const int id = TransitControlId(name);
    for (HWND child : DescendantsOf(transit_)) {
      if (GetDlgCtrlID(child) == id) return child;
    }
    return nullptr;
  }
  bool Checked(std::string_view option) const {
    return Ask(Part(option), BM_GETCHECK) == BST_CHECKED;
  }

  // Waits until the box shows the text; returns the last text read.
  std::optional<std::wstring> Shows(std::string_view name, const std::wstring& expected) const {
    std::optional<std::wstring> text;
    WaitUntil([&] { return (text = TextOf(Part(name))) == expected; }, kMeasureLimit);
    return text;
  }
  void ExpectShows(std::string_view name, const std::wstring& expected) const {
    EXPECT_EQ(Shows(name, expected), expected) << name;
  }
  void ExpectMessage(const std::wstring& message) const {
    ExpectShows("Label_Info", message);
    EXPECT_TRUE(IsWindowVisible(Part("Label_Info"))) << "the message is hidden";
  }

  HWND camera_ = nullptr;
  HWND object_ = nullptr;
  HWND placement_ = nullptr;
  HWND transit_ = nullptr;
};

// Placement minus camera: 110 east, 210 north, 50 - 60 = 10 below;
// sqrt(110^2 + 210^2) = 237.0654, sqrt(110^2 + 210^2 + 10^2) = 237.2762,
// bearing 90 - atan(210 / 110) = 27.6460 degrees.
TEST_F(TransitWindow, MeasuresThePlacementFromTheCamera) {
  ASSERT_NO_FATAL_FAILURE(OpenTransit());
  EXPECT_TRUE(Checked("Option_WRT_1")) << "WRT The Camera is the first choice";
  EXPECT_TRUE(Checked("Option_Units_0")) << "Meters is the first choice";
  ExpectShows("Text_DX", L"110.00");
  ExpectShows("DXLabel", L"East");
  ExpectShows("Text_DZ", L"210.00");
  ExpectShows("DZLabel", L"North");
  ExpectShows("Text_DY", L"10.00");
  ExpectShows("DYLabel", L"Below");
  ExpectShows("Text_Horizontal", L"237.07");
  ExpectShows("Text_Absolute", L"237.28");
  ExpectShows("TextBearing", L"27.65");
  EXPECT_FALSE(IsWindowVisible(Part("Label_Info")));

  // West and south of a camera moved away; no east-west run, no bearing.
  ASSERT_NO_FATAL_FAILURE(Put(camera_, {kCameraX, kCameraY, kCameraZ},
                              {L"110.000", L"40.000", L"300.500"}));
  ExpectShows("Text_DX", L"0.00");
  ExpectShows("Text_DZ", L"90.50");
  ExpectShows("DZLabel", L"South");
  ExpectShows("DYLabel", L"Above");
  ExpectShows("TextBearing", L"?");
}

// The placement at the middle of the camera's tile -11000, 14300.
TEST_F(TransitWindow, ShowsThePlacementsLatitudeAndLongitude) {
  ASSERT_NO_FATAL_FAILURE(PutPlacement({L"0.000", L"50.000", L"0.000"}));
  ASSERT_NO_FATAL_FAILURE(OpenTransit());
  ExpectShows("TextLatitude", L"39.62406");
  ExpectShows("TextLongitude", L"-75.10789");
  ExpectShows("Text_DX", L"0.00");
  ExpectShows("TextBearing", L"?");

  // Beside the Route Editor's windows, for a person to look at.
  std::optional<RgbImage> image = CaptureWindows({transit_, camera_, object_, placement_});
  ASSERT_TRUE(image.has_value()) << "cannot capture the windows";
  std::filesystem::create_directories(kScreenshotFolder);
  EXPECT_TRUE(WritePng(*image, kScreenshotFolder / L"transit.png"));
}

// Placement minus the signal post at 100, 50, 200: 10 east, 10 north, level.
TEST_F(TransitWindow, MeasuresFromTheObjectUntilItIsCleared) {
  ASSERT_NO_FATAL_FAILURE(OpenTransit());
  ASSERT_TRUE(Click(Part("Option_WRT_0")));
  // An Object window that shows no x is rolled up, or its object gone.
  ASSERT_TRUE(SetText(NthChild(object_, kObjectX), L""));
  ExpectMessage(L"The Object Window is not Rolled Down or you may have to reselect the Object.");

  ASSERT_TRUE(Click(NthChild(object_, kObjectSelect)));
  EXPECT_TRUE(WaitUntil([&] { return !IsWindowVisible(Part("Label_Info")); }, kMeasureLimit));
  ExpectShows("Text_DX", L"10.00");
  ExpectShows("Text_DZ", L"10.00");
  ExpectShows("Text_DY", L"0.00");
  ExpectShows("DYLabel", L"Above");
  ExpectShows("Text_Horizontal", L"14.14");
  ExpectShows("TextBearing", L"45.00");
  EXPECT_FALSE(IsWindowVisible(Part("Label_Info")));

  ASSERT_TRUE(Click(NthChild(object_, kObjectClear)));
  ASSERT_EQ(TextOf(NthChild(object_, kObjectX)), L"0.000");
  ExpectMessage(L"There is no Object Selected.");

  // The old values are still in the boxes; the message going says the
  // object is measured again.
  ASSERT_TRUE(Click(NthChild(object_, kObjectSelect)));
  EXPECT_TRUE(WaitUntil([&] { return !IsWindowVisible(Part("Label_Info")); }, kMeasureLimit))
      << "the message stayed";
  EXPECT_EQ(TextOf(Part("TextBearing")), L"45.00");
}

// The stand-in destroys a closed tool window, as the Route Editor does, and
// its Tools menu opens it again.
TEST_F(TransitWindow, AsksForTheRouteEditorsWindowsWhileOneIsClosed) {
  constexpr WPARAM kToolsObject = 2;
  ASSERT_NO_FATAL_FAILURE(OpenTransit());
  ExpectShows("Text_DX", L"110.00");
  DWORD_PTR ignored = 0;
  ASSERT_TRUE(SendMessageTimeoutW(object_, WM_CLOSE, 0, 0, SMTO_ABORTIFHUNG, 2000, &ignored));
  ASSERT_FALSE(IsWindow(object_));
  // The label was made with this text, so only its showing tells that a
  // pass put it there.
  EXPECT_TRUE(WaitUntil([&] { return IsWindowVisible(Part("Label_Info")) != FALSE; },
                        kMeasureLimit));
  ExpectMessage(
      L"For Transit to work correctly, the Route Editor's Placement, Camera, and Object Windows "
      L"must be Open and Rolled Down.");

  HWND route_editor = standin_->TopWindow(L"TrainSim");
  ASSERT_TRUE(SendMessageTimeoutW(route_editor, WM_COMMAND, kToolsObject, 0, SMTO_ABORTIFHUNG,
                                  2000, &ignored));
  EXPECT_TRUE(WaitUntil([&] { return !IsWindowVisible(Part("Label_Info")); }, kMeasureLimit))
      << "the message stayed with every window open again";
  ExpectShows("Text_DX", L"110.00");
}

TEST_F(TransitWindow, RolledUpItStopsMeasuring) {
  ASSERT_NO_FATAL_FAILURE(OpenTransit());
  ExpectShows("Text_DX", L"110.00");
  ASSERT_TRUE(Click(Part("Command_Rollup")));
  const Geometry up = GeometryOf(transit_);
  EXPECT_TRUE(IsTwips(up.ClientHeight(), 195, up.dpi));
  EXPECT_TRUE(IsWindowVisible(Part("Command_RollDown")));

  ASSERT_NO_FATAL_FAILURE(PutPlacement({L"120.000", L"50.000", L"210.000"}));
  Sleep(static_cast<DWORD>(kSeveralPasses.count()));
  EXPECT_EQ(TextOf(Part("Text_DX")), L"110.00") << "measured while rolled up";

  ASSERT_TRUE(Click(Part("Command_RollDown")));
  ExpectShows("Text_DX", L"120.00");
  const Geometry down = GeometryOf(transit_);
  EXPECT_TRUE(IsTwips(down.ClientHeight(), 4200 + 195, down.dpi));
}

TEST_F(TransitWindow, ChoosingMosaicHidesIt) {
  ASSERT_NO_FATAL_FAILURE(OpenTransit());
  ASSERT_NO_FATAL_FAILURE(ChooseTarget(L"Mosaic"));
  EXPECT_TRUE(WaitUntilGoneOrHidden(transit_, kWindowLimit)) << "still shown with Mosaic";
  EXPECT_TRUE(IsWindow(transit_)) << "hidden, not closed";
}

// 10 m east of the signal post is 32.81 feet.
TEST_F(TransitWindow, KeepsItsOptionsAcrossARestart) {
  ASSERT_NO_FATAL_FAILURE(OpenTransit());
  ASSERT_TRUE(Click(Part("Option_Units_1")));
  ASSERT_TRUE(Click(Part("Option_WRT_0")));
  ASSERT_TRUE(Click(NthChild(object_, kObjectSelect)));
  ExpectShows("Text_DX", L"32.81");
  ASSERT_NO_FATAL_FAILURE(ExitByFileMenu());

  for (const wchar_t* key : {L"TransitLeft", L"TransitTop"}) {
    EXPECT_TRUE(ReadTarvikSetting(key).has_value()) << "no " << key;
  }
  EXPECT_EQ(ReadTarvikSetting(L"TransitIsUp"), L"False");
  EXPECT_EQ(ReadTarvikSetting(L"TransitIsCamera"), L"True");
  EXPECT_EQ(ReadTarvikSetting(L"TransitIsMeters"), L"False");

  ASSERT_NO_FATAL_FAILURE(Launch());
  ASSERT_NO_FATAL_FAILURE(OpenTransit());
  EXPECT_TRUE(Checked("Option_Units_1")) << "Feet not restored";
  EXPECT_TRUE(Checked("Option_WRT_0")) << "WRT The Object not restored";
  EXPECT_FALSE(Checked("Option_WRT_1"));
  ExpectShows("Text_DX", L"32.81");
}

// A Route Editor that stops answering for a while, from before the Transit
// window opens.
class TransitBesideSilentRouteEditor : public TransitWindow {
 protected:
  static constexpr milliseconds kSilentFor{8000};
  // Each pass gives up on a silent Route Editor: Tarvik answers between them.
  static constexpr milliseconds kPassLimit{1500};

  void SetUp() override {
    ASSERT_NO_FATAL_FAILURE(TargetProgramTest::SetUp());
    const std::wstring hang = std::wstring(kHangAfterStart) + L"=" +
                              std::to_wstring(kSilentFor.count() / 1000);
    ASSERT_NO_FATAL_FAILURE(LaunchBeside(kRouteEditor, hang));
    placement_ = standin_->TopWindow(L"RouteEditorPlacement");
    camera_ = standin_->TopWindow(L"RouteEditorCamera");
  }
};

TEST_F(TransitBesideSilentRouteEditor, SaysSoStaysResponsiveAndMeasuresOnceItAnswersAgain) {
  ASSERT_NO_FATAL_FAILURE(OpenTransit());
  ExpectMessage(L"Route Editor is not responding.");
  EXPECT_EQ(TextOf(Part("Text_DX")), L"TextDX") << "no values yet";

  milliseconds slowest{0};
  const bool answers_again = WaitUntil(
      [&] {
        const auto asked = Clock::now();
        EXPECT_TRUE(AskWithin(kPassLimit, main_, WM_NULL).has_value());
        slowest = std::max(slowest, Since(asked));
        return !IsWindowVisible(Part("Label_Info"));
      },
      kSilentFor + kMeasureLimit, milliseconds(50));
  EXPECT_LT(slowest.count(), kPassLimit.count()) << "ms of the slowest answer";
  RecordProperty("slowest_answer_ms", static_cast<int>(slowest.count()));
  ASSERT_TRUE(answers_again) << "still " << StoredTextOf(Part("Label_Info"));
  ASSERT_NO_FATAL_FAILURE(Put(camera_, {kCameraX, kCameraY, kCameraZ}, kCamera));
  ExpectShows("TextBearing", L"27.65");
  ExpectShows("Text_DX", L"110.00");
}

}  // namespace
}  // namespace tarvik::e2e
