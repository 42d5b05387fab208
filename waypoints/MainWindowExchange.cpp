// The main window's Import and Export commands: waypoints from and to the
// files of map programs, GPS programs and spreadsheets.
#include "app/AppInfo.h"
#include "app/Form_Tarvik.h"
#include "waypoints/undo/ListChange.h"
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

void Form_Tarvik::ImportFile(const std::string& path) {
  auto outcome = exchange::ReadWaypointFile(path, services_.files, services_.xml);
  if (outcome.refusal) {
    WarnFileProblem(path, "could not be imported: " + outcome.refusal->reason + ".");
    return;
  }
  // Everything that can fail comes before the list changes.
  const std::vector<std::string> rows = platform::AllItems(*c_.List_Entire);
  const exchange::ImportPlan plan = exchange::PlanImport(std::move(outcome.batch), rows);
  const std::string summary = exchange::ImportSummary(plan);
  if (!plan.rows.empty()) {
    entire_list_->InsertInOrder(plan.rows);
    entire_list_->NameStep(waypoints::undo::ImportLabel(plan.rows.size()));
    ShowEntireList();
    document_.IsDirty = true;
  }
  services_.messages.Inform(summary, kImportTitle);
}

void Form_Tarvik::ExportTo(const std::string& path) {
  auto format = exchange::ExportFormatOf(path);
  if (!format) return WarnNotSaved(path, NotSaved::UnknownKind);
  if (!MayOverwrite(path)) return;
  const exchange::ExportPlan plan = exchange::PlanExport(platform::AllItems(*c_.List_Entire));
  auto bytes = exchange::ExportBytes(*format, plan.waypoints, services_.xml);
  if (!bytes) return WarnNotSaved(path, NotSaved::NotWritten);
  auto write = [&](const std::string& saving) { return services_.files.CreateNew(saving, *bytes); };
  if (!WriteReplacing(path, write, false)) return;
  if (!plan.left_out.empty()) services_.messages.Inform(exchange::LeftOutText(plan), kExportTitle);
}

}  // namespace tarvik::app
