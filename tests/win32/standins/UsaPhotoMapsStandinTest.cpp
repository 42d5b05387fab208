#include <gtest/gtest.h>

#include <cstring>
#include <optional>
#include <string>
#include <vector>

#include "FinderView.h"
#include "RefusalLog.h"
#include "Remote.h"
#include "StandinProcess.h"

namespace tarvik::standins::testing {
namespace {

constexpr wchar_t kStart[] = L"Position 39.62406 N, 75.10789 W";

class UsaPhotoMapsStandin : public ::testing::Test {
 protected:
  void SetUp() override {
    process_ = StandinProcess::Start(L"usaphotomaps.exe", log_.Switch());
    ASSERT_TRUE(process_) << "usaphotomaps.exe did not start";
    window_ = process_->WaitForWindow(L"USAPhotoMaps");
    ASSERT_TRUE(window_);
    map_ = FirstDescendantOfClass(window_, L"StandinMapView");
    ASSERT_TRUE(map_);
  }

  std::wstring Position() { return RemoteText(map_).value_or(L"<no answer>"); }

  // The "Go to" dialog while it is open, or nullptr.
  HWND OpenDialog() {
    for (HWND window : process_->TopWindows()) {
      if (IsWindowVisible(window) && ClassOf(window) == L"#32770") return window;
    }
    return nullptr;
  }
  // A dialog box shows itself only once its queue is empty, which can be a
  // moment after it has taken every key typed into it.
  HWND DialogShown() {
    HWND dialog = nullptr;
    WaitUntil([&] { return (dialog = OpenDialog()) != nullptr; }, milliseconds(2000));
    return dialog;
  }

  // Tarvik's keys for a jump: Alt+V, G, the latitude, three Tabs, the
  // longitude keys, Enter, Esc.
  static std::vector<INPUT> JumpKeys(std::wstring_view latitude, std::wstring_view longitude_keys) {
    std::vector<INPUT> keys;
    AddAltKey(keys, 'V');
    AddKey(keys, 'G');
    AddCharacters(keys, latitude);
    for (int i = 0; i < 3; ++i) AddKey(keys, VK_TAB);
    AddCharacters(keys, longitude_keys);
    AddKey(keys, VK_RETURN);
    AddKey(keys, VK_ESCAPE);
    return keys;
  }

  RefusalLog log_;
  std::optional<StandinProcess> process_;
  HWND window_ = nullptr;
  HWND map_ = nullptr;
};

TEST_F(UsaPhotoMapsStandin, ShowsWhereItStarts) { EXPECT_EQ(Position(), kStart); }

TEST_F(UsaPhotoMapsStandin, TarviksKeysMoveTheMapAndLeaveNoDialog) {
  ASSERT_EQ(TypeInto(window_, JumpKeys(L"48.50718", L"111.86247")), "");
  EXPECT_EQ(Position(), L"Position 48.50718 N, 111.86247 W");
  EXPECT_EQ(OpenDialog(), nullptr);
}

TEST_F(UsaPhotoMapsStandin, AltVGOpensTheDialogWithTheLatitudeFocused) {
  std::vector<INPUT> keys;
  AddAltKey(keys, 'V');
  AddKey(keys, 'G');
  ASSERT_EQ(TypeInto(window_, keys), "");
  HWND dialog = DialogShown();
  ASSERT_TRUE(dialog);
  EXPECT_EQ(TitleOf(dialog), L"Go to");
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  ASSERT_TRUE(GetGUIThreadInfo(GetWindowThreadProcessId(dialog, nullptr), &info));
  EXPECT_EQ(info.hwndFocus, NthChildOfClass(dialog, L"Edit", 1)) << "the latitude field";

  std::vector<INPUT> escape;
  AddKey(escape, VK_ESCAPE);
  ASSERT_EQ(TypeInto(dialog, escape), "");
  EXPECT_EQ(OpenDialog(), nullptr);
}

TEST_F(UsaPhotoMapsStandin, EscapeBeforeEnterLeavesTheMapWhereItWas) {
  std::vector<INPUT> keys;
  AddAltKey(keys, 'V');
  AddKey(keys, 'G');
  AddCharacters(keys, L"10");
  ASSERT_EQ(TypeInto(window_, keys), "");
  HWND dialog = DialogShown();
  ASSERT_TRUE(dialog);
  EXPECT_EQ(RemoteText(NthChildOfClass(dialog, L"Edit", 1)), L"10")
      << "typing replaced the latitude";

  std::vector<INPUT> escape;
  AddKey(escape, VK_ESCAPE);
  ASSERT_EQ(TypeInto(dialog, escape), "");
  EXPECT_EQ(Position(), kStart);
  EXPECT_EQ(OpenDialog(), nullptr);
}

// Enter moves the map, or refuses what was typed, and leaves the dialog
// open either way: a jump that forgets its Esc shows.
TEST_F(UsaPhotoMapsStandin, EnterMovesOrRefusesAndOnlyEscapeClosesTheDialog) {
  const struct {
    const wchar_t* latitude;
    std::wstring position;
    const char* refusal;
  } rows[] = {
      {L"48.50718", L"Position 48.50718 N, 111.86247 W", nullptr},
      {L"95", L"Position 39.62406 N, 111.86247 W", "Refused: latitude 95 is off the map"},
      {L"48.5x", L"Position 39.62406 N, 111.86247 W",
       "Refused: latitude \"48.5x\" is not a number"},
  };
  std::vector<std::string> expected;
  for (const auto& row : rows) {
    // Back to the start, moving the map by the dialog itself.
    std::vector<INPUT> keys = JumpKeys(L"39.62406", L"111.86247");
    ASSERT_EQ(TypeInto(window_, keys), "");
    keys = JumpKeys(row.latitude, L"111.86247");
    keys.resize(keys.size() - 2);  // without the Esc
    ASSERT_EQ(TypeInto(window_, keys), "");
    HWND dialog = DialogShown();
    ASSERT_TRUE(dialog) << "Enter closed the dialog";
    std::wstring shown = row.position;
    if (row.refusal) {
      expected.push_back(row.refusal);
      shown += L"\n" + std::wstring(row.refusal, row.refusal + std::strlen(row.refusal));
    }
    EXPECT_EQ(Position(), shown) << row.position;

    std::vector<INPUT> escape;
    AddKey(escape, VK_ESCAPE);
    ASSERT_EQ(TypeInto(dialog, escape), "");
    EXPECT_EQ(OpenDialog(), nullptr);
  }
  EXPECT_EQ(log_.Lines(), expected);
}

TEST_F(UsaPhotoMapsStandin, WithoutLongitudeKeysTheShownLongitudeStays) {
  // Tarvik types nothing for a longitude east of Greenwich.
  ASSERT_EQ(TypeInto(window_, JumpKeys(L"12.5", L"")), "");
  EXPECT_EQ(Position(), L"Position 12.50000 N, 75.10789 W");
}

}  // namespace
}  // namespace tarvik::standins::testing
