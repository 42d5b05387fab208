// The main window's Marker file reader and writer.
#include "app/AppInfo.h"
#include "app/Form_Tarvik.h"
#include "waypoints/DocumentPaths.h"
#include "waypoints/MarkerFile.h"
#include "waypoints/RowOrder.h"

namespace tarvik::app {

namespace {

enum class MarkTest { Unicode, NotUnicode, Unreadable };

MarkTest TestUnicodeMark(const platform::Files& files, const std::string& path) {
  auto first = files.ReadFirst(path, 2);
  if (first.status == platform::FileStatus::NotFound) return MarkTest::NotUnicode;
  if (!first.ok()) return MarkTest::Unreadable;
  return waypoints::StartsWithUnicodeMark(first.value) ? MarkTest::Unicode : MarkTest::NotUnicode;
}

std::vector<std::string> AllRows(const platform::ListControl& list) {
  std::vector<std::string> rows;
  rows.reserve(static_cast<size_t>(list.Count()));
  for (int i = 0; i < list.Count(); ++i) rows.push_back(list.Item(i));
  return rows;
}

}  // namespace

void Form_Tarvik::WarnFileProblem(const std::string& path, std::string_view sentence) {
  services_.messages.Warn(path + "\r" + std::string(sentence), kAppTitle);
}

bool Form_Tarvik::IsUnicodeFile(const std::string& path) {
  return TestUnicodeMark(services_.files, path) == MarkTest::Unicode;
}

platform::FileStatus Form_Tarvik::WriteMarkerFile(const std::string& path) {
  std::vector<std::string> rows = AllRows(*c_.List_Entire);
  if (!rows.empty()) ParseRow(rows.back());
  return services_.files.CreateNew(path, waypoints::EncodeMarkerFile(rows));
}

void Form_Tarvik::MakeCurrentDocument(const std::string& path) {
  document_.DocName = waypoints::FileNamePart(path);
  window_.SetCaption(document_.DocName);
  document_.DocPath = path;
  untitled_ = false;
}

void Form_Tarvik::FillEntireList(const std::vector<waypoints::Waypoint>& waypoints) {
  std::vector<std::string> rows;
  rows.reserve(waypoints.size());
  for (const auto& waypoint : waypoints) rows.push_back(waypoints::JoinRow(waypoint));
  waypoints::SortRows(rows);
  c_.List_Entire->SetItems(rows);
  if (!waypoints.empty()) Cur_ = waypoints.back();
}

void Form_Tarvik::ReadMarkerFile(const std::string& path) {
  document_.IsDirty = false;
  MarkTest mark = TestUnicodeMark(services_.files, path);
  if (mark == MarkTest::NotUnicode) {
    WarnFileProblem(path, "Not Found or is not Unicode format.");
    return;
  }
  // Nothing of the file was loaded, so nothing may be saved over it.
  auto fail = [&] {
    ClearLists();
    StartUntitledDocument();
    c_.Menu_FileSave->SetEnabled(false);
    WarnFileProblem(path, "has incorrect format.");
  };
  if (mark == MarkTest::Unreadable) return fail();

  MakeCurrentDocument(path);
  // Also refuses a file too large to hold, before reading any of it.
  auto bytes = services_.files.ReadAll(path);
  if (!bytes.ok()) return fail();
  // The lists are replaced only once the whole file has been read: a
  // command that fails while reading leaves the old rows to be restored.
  auto waypoints = waypoints::ReadMarkerWaypoints(bytes.value);
  if (!waypoints) return fail();
  ClearLists();
  FillEntireList(*waypoints);

  RecordRecentFile(path);
  if (c_.List_Entire->Count() > 0) {
    c_.List_Entire->SetVisible(true);
    // In narrow mode the two lists share one place: show the loaded one.
    if (!IsWide_) c_.List_Recent->SetVisible(false);
    c_.Command_ShowList->SetCaption("Show Recent List");
    LastRow_.clear();
    c_.Command_Last->SetEnabled(false);
  } else {
    WarnFileProblem(path, "has no waypoints.");
  }
  c_.Menu_FileSave->SetEnabled(true);
}

}  // namespace tarvik::app
