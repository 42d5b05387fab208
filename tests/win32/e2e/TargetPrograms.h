#pragma once

#include <windows.h>

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "Standin.h"
#include "WaypointWindow.h"

namespace tarvik::e2e {

// Tarvik's own example place, and one whose tile is a worked example of the
// Route Editor's projection.
inline const TypedWaypoint kFalls{L"Falls", L"48.50718", L"-111.86247"};
inline const TypedWaypoint kLakeTile{L"Lake tile", L"43.32701", L"-74.04157"};

// A jump that does not wait for a hung target takes no longer than this.
inline constexpr milliseconds kJumpLimit{5000};

// Children of the Route Editor stand-in's tool windows, counted from 1
// (standins/README.md).
inline constexpr int kCameraX = 1;
inline constexpr int kCameraY = 2;
inline constexpr int kCameraZ = 3;
inline constexpr int kCameraLongitude = 4;
inline constexpr int kCameraLatitude = 6;
inline constexpr int kCameraTileX = 7;
inline constexpr int kCameraTileZ = 8;
inline constexpr int kCameraMove = 9;
inline constexpr int kObjectSelect = 6;
inline constexpr int kObjectX = 7;
inline constexpr int kObjectClear = 10;
inline constexpr int kPlacementX = 11;
inline constexpr int kPlacementY = 12;
inline constexpr int kPlacementZ = 13;

// Tarvik beside a stand-in of the program it drives, both driven from
// outside: Tarvik through its controls as a user clicks them, the stand-in
// through its fields and buttons.
class TargetProgramTest : public WaypointWindowTest {
 protected:
  // Starts the stand-in, then Tarvik, and waits for both; sets standin_ and
  // standin_main_. Whatever the stand-in refuses of what Tarvik sends it
  // fails the test when it ends.
  void LaunchBeside(const StandinProgram& program, std::wstring_view arguments = {});
  void TearDown() override;

  // Chooses the target by its name in the drop-down list, as a user does.
  void ChooseTarget(const std::wstring& name);
  // Clicks the waypoint's row in a list and returns once the jump that
  // follows has ended; a message box on the way is a failure.
  void Select(std::string_view list, const TypedWaypoint& waypoint);
  // Clicks it without waiting, for a jump that shows a message box.
  void StartSelect(std::string_view list, const TypedWaypoint& waypoint);
  // Presses Grab and returns once it has run; a message box is a failure.
  void Grab();
  void StartGrab();

  // Expects the warning that asks for a target to be opened, and answers it.
  void ExpectPleaseOpen(const std::wstring& text);
  // Expects a warning of the program with that text, and answers it.
  void ExpectWarning(const std::wstring& text);
  // Starts a command with `post` and returns how long the main window took,
  // from then, to answer a message with one of the program's message boxes
  // up: a command that warns gives control back once its box shows, whose
  // loop answers.
  template <class Post>
  milliseconds UntilWarned(Post post) {
    const auto start = Clock::now();
    if (!post()) return kCommandEndLimit;
    return AnsweringWithABoxUp(start);
  }
  // Expects the command under way to end without a further message box.
  void ExpectCommandEnded();

  // Types into an entry box where its caret stands, as typing does.
  void TypeAtCaret(std::string_view box, const std::wstring& text);

  bool Enabled(std::string_view control) const { return IsWindowEnabled(Control(control)); }
  // Reads the window's text until it is `expected` or a while has passed:
  // the target may show what it was sent a moment later. Returns the last
  // text read.
  std::optional<std::wstring> TextSoon(HWND window, const std::wstring& expected) const;

  std::optional<Standin> standin_;
  HWND standin_main_ = nullptr;

  // Long enough to tell a slow command from one that never ends.
  static constexpr milliseconds kCommandEndLimit{20000};

 private:
  milliseconds AnsweringWithABoxUp(Clock::time_point start) const;
  std::filesystem::path RefusalLog() const;
  int RowIndex(std::string_view list, const TypedWaypoint& waypoint) const;
};

}  // namespace tarvik::e2e
