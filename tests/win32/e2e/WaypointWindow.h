#pragma once

#include <windows.h>

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "ControlReader.h"
#include "MarkerFiles.h"
#include "TarvikFixture.h"
#include "TempFolder.h"

namespace tarvik::e2e {

// Waypoints near a route's summit. Letter case and arrival order both
// differ from the entire list's order, so that a list kept in arrival order
// or sorted by character code shows up.
inline const TypedWaypoint kSummit{L"Summit Tunnel", L"48.3162", L"-113.3486"};
inline const TypedWaypoint kEastPortal{L"east portal", L"48.309", L"-113.3392"};
inline const TypedWaypoint kBelton{L"Belton Yard", L"4.85E1", L"-114"};
inline const TypedWaypoint kGlacier{L"Glacier Park", L"48.4959", L"-113.3541"};
inline const std::vector<TypedWaypoint> kThreeInArrivalOrder{kSummit, kEastPortal, kBelton};
inline const std::vector<TypedWaypoint> kThreeSorted{kBelton, kEastPortal, kSummit};
inline const std::vector<TypedWaypoint> kFourSorted{kBelton, kEastPortal, kGlacier, kSummit};

// Drives the main window's entry boxes, lists and File menu from outside,
// through the same controls, menu commands and file dialogs a user has.
class WaypointWindowTest : public TarvikTest {
 protected:
  HWND Control(std::string_view name) const { return MainControl(main_, name); }
  std::wstring Caption() const;
  std::optional<std::vector<std::wstring>> Rows(std::string_view list) const;
  std::vector<std::optional<std::wstring>> EntryTexts() const;

  void Type(const TypedWaypoint& waypoint);
  // Types the waypoint, presses Add and expects it to be taken silently.
  void Add(const TypedWaypoint& waypoint);
  // Presses Add and expects what the boxes hold to be taken silently;
  // `what` names it in failure reports.
  void PressAdd(const std::wstring& what);

  // A menu command that opens no dialog; returns once it has run.
  void RunMenuCommand(std::string_view menu);
  // The top Recent Files entry; returns once the file has been read, as above.
  void ChooseTopRecentFile(const std::filesystem::path& expected);
  // Save As and Open through the program's own file dialog; they return once
  // the program has taken the file, which then names the window. The window
  // must have had another name before.
  void SaveAsThroughDialog(const std::filesystem::path& path);
  void OpenThroughDialog(const std::filesystem::path& path);
  // Returns once the window is named after `path` and answers again.
  void WaitUntilDocumentIs(const std::filesystem::path& path);

  // Fails when a message box is up, and answers it so that the program goes on.
  void ExpectNoMessageBox();
  // Closes the main window: a question is a failure and is answered No.
  void CloseExpectingNoQuestion();
  // The texts of the program's message boxes now up, for failure reports.
  std::wstring MessageBoxesUp() const;

  // Outlives the program, which TearDown ends, so its files can be removed.
  TempFolder folder_;

 private:
  void ChooseFileThroughDialog(std::string_view menu, const std::wstring& title,
                               const std::filesystem::path& path);
};

// The backup the program keeps beside a Marker file it replaces.
std::filesystem::path BackupOf(const std::filesystem::path& path);

bool SetReadOnly(const std::filesystem::path& path, bool read_only);

}  // namespace tarvik::e2e
