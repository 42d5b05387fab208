// The main window's document commands: New, Open, Save, Save As and the
// offer to save unsaved changes.
#include "app/AppInfo.h"
#include "app/Form_Tarvik.h"
#include "waypoints/DocumentPaths.h"

namespace tarvik::app {

namespace {

constexpr const char* kMarkerFilter = "Marker Files (*.mkr)|*.mkr";

}  // namespace

// Every file the main window writes, a Marker file or an export, fails with
// one of these sentences after its path.
std::string_view Form_Tarvik::NotSavedSentence(NotSaved why) {
  switch (why) {
    case NotSaved::Missing:
      return "could not be saved: the file or its folder is missing.";
    case NotSaved::Denied:
      return "could not be saved: the file is read-only or in use.";
    case NotSaved::BackupDenied:
      return "could not be saved: the file or its backup is read-only or in use.";
    case NotSaved::InTheWay:
      return "could not be saved: a file of that name is in the way.";
    case NotSaved::UnknownKind:
      return "could not be saved: its name must end in .kml, .gpx or .csv.";
    case NotSaved::NotWritten:
      return "could not be saved: the waypoints could not be written as XML.";
    case NotSaved::LeftBeside:
      return "could not be saved: the file is in use. The previous version is its backup (.bak), "
             "the new one is beside it (.saving).";
    case NotSaved::Device:
      break;
  }
  return "could not be saved: the disk may be full or unavailable.";
}

void Form_Tarvik::WarnNotSaved(const std::string& path, NotSaved why) {
  WarnFileProblem(path, NotSavedSentence(why));
}

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
  // Also from the command line, outside any handler.
  RunGuarded([&] {
    if (!OfferToSaveChanges()) return;
    document_.IsDirty = false;
    ReadMarkerFile(path);
  });
}

void Form_Tarvik::Form_DropFiles(const std::vector<std::string>& paths) {
  if (!paths.empty()) OpenDocumentFile(paths.front());
}

void Form_Tarvik::Menu_FileSave_Click() { SaveDocument(); }

void Form_Tarvik::Menu_FileSaveAs_Click() { SaveAs(); }

std::optional<std::string> Form_Tarvik::AskForFile(bool save) {
  platform::FileDialogOptions options{kMarkerFilter, dialog_file_name_, true, {}};
  auto path = save ? services_.dialogs.ShowSave(options) : services_.dialogs.ShowOpen(options);
  if (path) dialog_file_name_ = *path;
  return path;
}

bool Form_Tarvik::MayOverwrite(const std::string& path) {
  return !services_.files.Exists(path) ||
         services_.messages.Ask("Overwrite " + path + "?", kAppTitle) == platform::Answer::Yes;
}

bool Form_Tarvik::WriteReplacing(const std::string& path, const FileWriter& write,
                                 bool keep_backup) {
  using platform::FileStatus;
  auto& files = services_.files;
  const std::string saving = waypoints::SavingPathFor(path);
  const std::string backup = waypoints::BackupPathFor(path);
  bool with_backup = false;
  bool old_file_moved = false;
  // Left behind by a save that was cut short.
  FileStatus status = files.Exists(saving) ? files.Delete(saving) : FileStatus::Ok;
  if (status == FileStatus::Ok) status = write(saving);
  if (status == FileStatus::Ok && keep_backup && files.Exists(path)) {
    document_.BackupPath = backup;
    with_backup = files.Exists(backup);
    status = files.Move(path, backup);
    old_file_moved = status == FileStatus::Ok;
  }
  // Without a backup the move replaces the old file in one step.
  if (status == FileStatus::Ok) status = files.Move(saving, path);
  if (status == FileStatus::Ok) return true;
  NotSaved why = NotSavedFor(status, with_backup);
  if (old_file_moved) {
    // The new file could not take the old one's place (another program
    // holds the path): the old one goes back, and the new one stays beside
    // it, the only copy of what was being saved.
    if (files.Move(backup, path) != FileStatus::Ok) why = NotSaved::LeftBeside;
  } else if (files.Exists(saving)) {
    files.Delete(saving);
  }
  WarnNotSaved(path, why);
  return false;
}

Form_Tarvik::NotSaved Form_Tarvik::NotSavedFor(platform::FileStatus status, bool with_backup) {
  switch (status) {
    case platform::FileStatus::NotFound:
      return NotSaved::Missing;
    case platform::FileStatus::Denied:
      return with_backup ? NotSaved::BackupDenied : NotSaved::Denied;
    case platform::FileStatus::Exists:
      return NotSaved::InTheWay;
    default:
      return NotSaved::Device;
  }
}

bool Form_Tarvik::WriteDocument(const std::string& path) {
  return WriteReplacing(
      path, [this](const std::string& saving) { return WriteMarkerFile(saving); }, true);
}

bool Form_Tarvik::SaveDocument() {
  if (!WriteDocument(document_.DocPath)) return false;
  document_.IsDirty = false;
  return true;
}

bool Form_Tarvik::SaveAs() {
  auto target = AskForFile(true);
  if (!target) return false;
  if (!MayOverwrite(*target)) return false;
  if (!WriteDocument(*target)) return false;
  document_.IsDirty = false;
  MakeCurrentDocument(*target);
  RecordRecentFile(*target);
  return true;
}

}  // namespace tarvik::app
