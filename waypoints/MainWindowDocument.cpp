// The main window's document commands: New, Open, Save, Save As and the
// offer to save unsaved changes.
#include "app/AppInfo.h"
#include "app/Form_Tarvik.h"
#include "waypoints/DocumentPaths.h"

namespace tarvik::app {

namespace {

constexpr const char* kMarkerFilter = "Marker Files (*.mkr)|*.mkr";

std::string_view NotSavedSentence(platform::FileStatus status) {
  switch (status) {
    case platform::FileStatus::NotFound:
      return "could not be saved: the file or its folder is missing.";
    case platform::FileStatus::Denied:
      return "could not be saved: the file is read-only or in use.";
    case platform::FileStatus::Exists:
      return "could not be saved: a file of that name is in the way.";
    default:
      return "could not be saved: the disk may be full or unavailable.";
  }
}

}  // namespace

void Form_Tarvik::StartUntitledDocument() {
  document_.DocName = "untitled";
  window_.SetCaption(document_.DocName);
  document_.DocPath = services_.system.ProgramFolder() + "\\" + document_.DocName;
  untitled_ = true;
}

bool Form_Tarvik::OfferToSaveChanges() {
  if (!document_.IsDirty) return true;
  auto answer = services_.messages.Ask("Update " + document_.DocName + "?", kAppTitle);
  if (answer == platform::Answer::No) return true;
  // An untitled list has no file to back up and replace: ask for one.
  return untitled_ ? SaveAs() : SaveDocument();
}

void Form_Tarvik::Menu_FileNew_Click() {
  if (!OfferToSaveChanges()) return;
  ClearLists();
  StartUntitledDocument();
  document_.IsDirty = false;
  c_.Menu_FileSave->SetEnabled(false);
}

void Form_Tarvik::Menu_FileOpen_Click() {
  if (!OfferToSaveChanges()) return;
  document_.IsDirty = false;
  auto path = AskForFile(false);
  if (path) ReadMarkerFile(*path);
}

void Form_Tarvik::OpenDocumentFile(const std::string& path) {
  if (!OfferToSaveChanges()) return;
  document_.IsDirty = false;
  ReadMarkerFile(path);
}

void Form_Tarvik::Form_DropFiles(const std::vector<std::string>& paths) {
  if (!paths.empty()) OpenDocumentFile(paths.front());
}

void Form_Tarvik::Menu_FileSave_Click() { SaveDocument(); }

void Form_Tarvik::Menu_FileSaveAs_Click() { SaveAs(); }

std::optional<std::string> Form_Tarvik::AskForFile(bool save) {
  platform::FileDialogOptions options{kMarkerFilter, dialog_file_name_, true};
  auto path = save ? services_.dialogs.ShowSave(options) : services_.dialogs.ShowOpen(options);
  if (path) dialog_file_name_ = *path;
  return path;
}

bool Form_Tarvik::ReplaceWithBackup(const std::string& path) {
  // Each step stops the save when it fails, so the old contents always
  // survive at `path` or at the backup.
  document_.BackupPath = waypoints::BackupPathFor(path);
  auto& files = services_.files;
  platform::FileStatus status = platform::FileStatus::Ok;
  if (files.Exists(document_.BackupPath)) status = files.Delete(document_.BackupPath);
  if (status == platform::FileStatus::Ok) status = files.Copy(path, document_.BackupPath);
  if (status == platform::FileStatus::Ok) status = files.Delete(path);
  if (status == platform::FileStatus::Ok) return true;
  WarnFileProblem(path, NotSavedSentence(status));
  return false;
}

bool Form_Tarvik::WriteOrWarn(const std::string& path) {
  platform::FileStatus status = WriteMarkerFile(path);
  if (status == platform::FileStatus::Ok) return true;
  WarnFileProblem(path, NotSavedSentence(status));
  return false;
}

bool Form_Tarvik::SaveDocument() {
  const std::string path = document_.DocPath;
  if (!ReplaceWithBackup(path) || !WriteOrWarn(path)) return false;
  document_.IsDirty = false;
  return true;
}

bool Form_Tarvik::SaveAs() {
  auto target = AskForFile(true);
  if (!target) return false;
  if (services_.files.Exists(*target)) {
    if (services_.messages.Ask("Overwrite " + *target + "?", kAppTitle) == platform::Answer::No) {
      return false;
    }
    if (!ReplaceWithBackup(*target)) return false;
  }
  if (!WriteOrWarn(*target)) return false;
  document_.IsDirty = false;
  MakeCurrentDocument(*target);
  RecordRecentFile(*target);
  return true;
}

}  // namespace tarvik::app
