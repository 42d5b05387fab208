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

// The file's rows, read a piece at a time: beside the old rows, which stay
// until the new ones are whole, a large file's bytes and its rows would not
// fit in memory together.
std::optional<waypoints::RowBlock> ReadRows(const platform::Files& files, const std::string& path) {
  waypoints::MarkerRowReader reader;
  auto read = files.ReadInPieces(path, [&](const platform::Bytes& piece) { reader.Take(piece); });
  if (read != platform::FileStatus::Ok) return std::nullopt;
  return reader.Finish();
}

}  // namespace

void Form_Tarvik::WarnFileProblem(const std::string& path, std::string_view sentence) {
  services_.messages.Warn(path + "\r" + std::string(sentence), kAppTitle);
}

bool Form_Tarvik::IsUnicodeFile(const std::string& path) {
  return TestUnicodeMark(services_.files, path) == MarkTest::Unicode;
}

platform::FileStatus Form_Tarvik::WriteMarkerFile(const std::string& path) {
  const platform::ListControl& list = *c_.List_Entire;
  const int count = list.Count();
  if (count > 0) ParseRow(list.Item(count - 1));
  // Row by row from the list box into the file: neither a copy of a large
  // list nor its whole file is held in memory.
  waypoints::MarkerFileEncoder encoder(static_cast<std::size_t>(count), [&](std::size_t i) {
    return list.Item(static_cast<int>(i));
  });
  return services_.files.CreateNewInPieces(
      path, [&](platform::Bytes& piece) { encoder.NextPiece(piece); });
}

void Form_Tarvik::MakeCurrentDocument(const std::string& path) {
  document_.DocName = waypoints::FileNamePart(path);
  window_.SetCaption(document_.DocName);
  document_.DocPath = path;
  untitled_ = false;
}

void Form_Tarvik::FillEntireList(waypoints::RowBlock rows) {
  // The reader leaves the current fields holding the file's last waypoint.
  const std::string last = rows.Count() > 0 ? std::string(rows.Row(rows.Count() - 1)) : "";
  std::vector<std::string_view> sorted = rows.SortedRows();
  entire_list_->SetItems(sorted, [&] {
    sorted = {};
    rows = {};
  });
  if (!last.empty()) ParseRow(last);
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
  // Read whole before the lists are replaced: a command that fails while
  // reading leaves the old rows to be restored. Also refuses a file too
  // large to hold, before reading any of it.
  auto rows = ReadRows(services_.files, path);
  if (!rows) return fail();
  ClearLists();
  FillEntireList(std::move(*rows));

  RecordRecentFile(path);
  if (c_.List_Entire->Count() > 0) {
    ShowEntireList();
    LastRow_.clear();
    c_.Command_Last->SetEnabled(false);
  } else {
    WarnFileProblem(path, "has no waypoints.");
  }
  c_.Menu_FileSave->SetEnabled(true);
}

}  // namespace tarvik::app
