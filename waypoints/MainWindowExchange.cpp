// The main window's Import and Export commands: waypoints from and to the
// files of map programs, GPS programs and spreadsheets.
#include <algorithm>
#include <iterator>

#include "app/AppInfo.h"
#include "app/Form_Tarvik.h"
#include "waypoints/DocumentPaths.h"
#include "waypoints/RowOrder.h"
#include "waypoints/exchange/ExportPlan.h"
#include "waypoints/exchange/FileKinds.h"
#include "waypoints/exchange/ImportPlan.h"
#include "waypoints/exchange/WaypointFiles.h"

namespace tarvik::app {

namespace {

namespace exchange = waypoints::exchange;

constexpr const char* kImportTitle = "Import";
constexpr const char* kExportTitle = "Export";

// The document's name without its extension: the export dialog adds the
// chosen format's.
std::string StemOf(const std::string& file_name) {
  return file_name.substr(0, file_name.rfind('.'));
}

}  // namespace

void Form_Tarvik::Menu_FileImport_Click() {
  platform::FileDialogOptions options{exchange::kImportFilter, exchange_file_name_, true, {}};
  auto path = services_.dialogs.ShowOpen(options);
  if (!path) return;
  exchange_file_name_ = *path;
  ImportFile(*path);
}

void Form_Tarvik::Menu_FileExport_Click() {
  std::string offered =
      exchange_file_name_.empty() ? StemOf(document_.DocName) : StemOf(exchange_file_name_);
  platform::FileDialogOptions options{exchange::kExportFilter, offered, true,
                                      exchange::kExportDefaultExtension};
  auto path = services_.dialogs.ShowSave(options);
  if (!path) return;
  exchange_file_name_ = *path;
  ExportTo(*path);
}

std::vector<std::string> Form_Tarvik::EntireRows() const {
  const auto& list = *c_.List_Entire;
  std::vector<std::string> rows;
  rows.reserve(static_cast<size_t>(list.Count()));
  for (int i = 0; i < list.Count(); ++i) rows.push_back(list.Item(i));
  return rows;
}

void Form_Tarvik::ImportFile(const std::string& path) {
  auto outcome = exchange::ReadWaypointFile(path, services_.files, services_.xml);
  if (outcome.refusal) {
    WarnFileProblem(path, "could not be imported: " + outcome.refusal->reason + ".");
    return;
  }
  std::vector<std::string> rows = EntireRows();
  exchange::ImportPlan plan = exchange::PlanImport(std::move(outcome.batch), rows);
  std::string summary = exchange::ImportSummary(plan);
  if (!plan.rows.empty()) {
    // The list is in order already; the new rows are sorted and merged in,
    // each after any equal row that was there before.
    waypoints::SortRows(plan.rows);
    std::vector<std::string> merged;
    merged.reserve(rows.size() + plan.rows.size());
    std::merge(std::make_move_iterator(rows.begin()), std::make_move_iterator(rows.end()),
               std::make_move_iterator(plan.rows.begin()),
               std::make_move_iterator(plan.rows.end()), std::back_inserter(merged),
               [](const std::string& a, const std::string& b) { return waypoints::RowLess(a, b); });
    ShowImportedRows(merged);
    document_.IsDirty = true;
  }
  services_.messages.Inform(summary, kImportTitle);
}

void Form_Tarvik::ShowImportedRows(const std::vector<std::string>& rows) {
  c_.List_Entire->SetItems(rows);
  c_.List_Entire->SetVisible(true);
  // In narrow mode the two lists share one place: show the one that grew.
  if (!IsWide_) {
    c_.List_Recent->SetVisible(false);
    c_.Command_ShowList->SetCaption("Show Recent List");
  }
}

void Form_Tarvik::ExportTo(const std::string& path) {
  auto format = exchange::ExportFormatOf(path);
  if (!format) {
    WarnFileProblem(path, "could not be saved: its name must end in .kml, .gpx or .csv.");
    return;
  }
  if (services_.files.Exists(path) &&
      services_.messages.Ask("Overwrite " + path + "?", kAppTitle) == platform::Answer::No) {
    return;
  }
  exchange::ExportPlan plan = exchange::PlanExport(EntireRows());
  auto bytes = exchange::ExportBytes(*format, plan.waypoints, services_.xml);
  if (!bytes) {
    WarnFileProblem(path, "could not be saved: the waypoints could not be written as XML.");
    return;
  }
  platform::FileStatus status = exchange::WriteReplacing(services_.files, path, *bytes);
  if (status != platform::FileStatus::Ok) {
    WarnFileProblem(path, exchange::NotSavedSentence(status));
    return;
  }
  if (!plan.left_out.empty()) services_.messages.Inform(exchange::LeftOutText(plan), kExportTitle);
}

}  // namespace tarvik::app
