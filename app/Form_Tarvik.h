#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/ProgramWindows.h"
#include "app/UndoableList.h"
#include "platform/Control.h"
#include "platform/FileDialogs.h"
#include "platform/Files.h"
#include "platform/FormWindow.h"
#include "platform/MessageBoxes.h"
#include "platform/SettingsStore.h"
#include "platform/System.h"
#include "platform/Xml.h"
#include "target/Module1.h"
#include "target/TargetSession.h"
#include "waypoints/RowBlock.h"
#include "waypoints/WaypointRow.h"
#include "waypoints/recovery/LeftCopies.h"
#include "waypoints/recovery/RecoveryKeeper.h"

namespace tarvik::app {

namespace recovery = waypoints::recovery;

struct Services {
  platform::SettingsStore& settings;
  platform::MessageBoxes& messages;
  platform::System& system;
  ProgramWindows& windows;
  platform::Files& files;
  platform::FileDialogs& dialogs;
  target::Module1& finder;
  platform::XmlDocuments& xml;
};

// The document the main window edits: a Marker file's name, its full path,
// and whether the lists changed since it was last read or written.
struct DocumentState {
  std::string DocName;
  std::string DocPath;
  bool IsDirty = false;
  std::string BackupPath;
};

// The main waypoint window's logic. It creates its controls on the window it
// is given and receives their events through the handlers below.
class Form_Tarvik {
 public:
  Form_Tarvik(platform::FormWindow& window, Services services);
  Form_Tarvik(const Form_Tarvik&) = delete;
  Form_Tarvik& operator=(const Form_Tarvik&) = delete;

  void Form_Load();
  // The closing sequence; the close cannot be refused, so `cancel` is unused.
  void Form_Unload(std::int16_t cancel = 0);

  void ApplyWidthMode(std::int16_t mode);
  void ApplyRollMode(std::int16_t mode);

  void Command_Width_Click();
  void Command_Rollup_Click();
  void Command_RollDown_Click();
  void Command_ShowList_Click();
  void Check_OnTop_Click();
  void Menu_FileExit_Click();
  void Menu_Manual_Click();
  void Menu_About_Click();

  // Waypoint, document, target and Transit commands.
  void List_Entire_Click();
  void List_Recent_Click();
  void Command_New_Click();
  void Command_Delete_Click();
  void Command_Last_Click();
  void Command_Grab_Click();
  void Command_Transit_Click();
  void Combo_WhichApp_Click();
  void Menu_FileNew_Click();
  void Menu_FileOpen_Click();
  void Menu_FileSave_Click();
  void Menu_FileSaveAs_Click();
  void Menu_FileRecent_Click(std::int16_t index);
  void Menu_FileImport_Click();
  void Menu_FileExport_Click();
  void Menu_EditUndo_Click();
  void Menu_EditRedo_Click();
  // Pasting a position into an entry box fills the latitude and longitude
  // boxes; false lets the box paste the text as it is.
  bool Text_Waypoint_Paste(std::string_view text);
  bool Text_Latitude_Paste(std::string_view text);
  bool Text_Longitude_Paste(std::string_view text);
  // Files dropped on the window: the first is opened as File > Open would.
  void Form_DropFiles(const std::vector<std::string>& paths);
  // Opens a Marker file named outside the File menu (the command line, a
  // drop) exactly as File > Open does once the user has chosen it.
  void OpenDocumentFile(const std::string& path);

  // Unsaved work: the keeper of this run's recovery copy, and the copies
  // that runs which did not end normally left behind, offered back at start.
  void KeepRecoveryCopyWith(recovery::RecoveryKeeper* keeper) { recovery_ = keeper; }
  void OfferLeftCopies(recovery::LeftCopies found, recovery::RecoveryFolder& folder);

  // Waypoint rows and lists.
  void ParseRow(std::string_view row);
  void ShowCurrent();
  void ClearEntry();
  void ClearLists();
  void AddRecent(const std::string& row);
  void JumpToCurrent();

  // Driving the target programs.
  void JumpRouteEditor();
  void SetCameraPosition(const std::string& longitude, const std::string& latitude);
  void JumpMosaic();
  void SetMosaicPosition(const std::string& longitude, const std::string& latitude);
  void JumpUSAPhotoMaps();
  void GrabPosition();

  // Marker files, documents and recent files.
  platform::FileStatus WriteMarkerFile(const std::string& path);
  void ReadMarkerFile(const std::string& path);
  bool IsUnicodeFile(const std::string& path);
  bool SaveDocument();
  void RecordRecentFile(const std::string& path);
  std::int32_t FindRecentFile(const std::string& path) const;
  void LoadRecentFiles();
  void SaveRecentFiles();

  bool IsWide() const { return IsWide_; }
  bool IsUp() const { return IsUp_; }
  bool IsOnTop() const { return IsOnTop_; }
  DocumentState& Document() { return document_; }
  // The entire list as the logic reads and changes it, beside the list box.
  platform::ListControl& EntireList() { return *c_.List_Entire; }
  std::int32_t MRULastIndex() const { return MRULastIndex_; }
  bool SuppressRecentJump() const { return SuppressRecentJump_; }
  bool IsFirstREJump() const { return IsFirstREJump_; }
  const waypoints::Waypoint& Current() const { return Cur_; }
  const std::string& CurrentRow() const { return CurrentRow_; }
  const std::string& LastRow() const { return LastRow_; }

 private:
  struct Controls {
    platform::Control* Text_Waypoint;
    platform::Control* Text_Latitude;
    platform::Control* Text_Longitude;
    platform::Control* Command_ShowList;
    platform::Control* Label_Recent;
    platform::ListControl* List_Recent;
    platform::ListControl* List_Entire;
    platform::Control* Command_Grab;
    platform::Control* Command_New;
    platform::Control* Command_Width;
    platform::Control* Command_Last;
    platform::Control* Command_Delete;
    platform::Control* Command_Transit;
    platform::Control* Check_OnTop;
    platform::ListControl* Combo_WhichApp;
    platform::Control* Command_Rollup;
    platform::Control* Command_RollDown;
    platform::MenuItem* Menu_FileNew;
    platform::MenuItem* Menu_FileOpen;
    platform::MenuItem* Menu_FileSave;
    platform::MenuItem* Menu_FileSaveAs;
    platform::MenuItem* Menu_FileImport;
    platform::MenuItem* Menu_FileExport;
    platform::MenuItem* Menu_FileExit;
    platform::MenuItem* Menu_EditUndo;
    platform::MenuItem* Menu_EditRedo;
    platform::MenuItem* Bar;
    std::vector<platform::MenuItem*> Menu_FileRecent;
    platform::MenuItem* Menu_Manual;
    platform::MenuItem* Menu_About;
  };

  // What a command that fails must leave as it found it.
  struct Snapshot;

  void CreateControls();
  void WireHandlers();
  // The handler for a control: `command`, run so that an exception it lets
  // out restores the snapshot taken before it and is reported in a warning.
  std::function<void()> Guarded(std::function<void()> command);
  void RunGuarded(const std::function<void()>& command);
  // The same for a paste handler, which also says whether it took the text.
  std::function<bool(std::string_view)> GuardedPaste(std::function<bool(std::string_view)> paste);
  Snapshot TakeSnapshot() const;
  void Restore(const Snapshot& before);
  // After every command, done or taken back: the saved state, the Edit
  // menu and the recovery copy follow the list.
  void AfterCommand();
  void ShowEditMenu();
  void AfterUndoOrRedo();
  // Recent rows whose waypoint has left the entire list go too.
  void DropRecentRowsGone();
  bool InEntireList(const std::string& row) const;
  void KeepRecoveryCopy();
  void RestoreLeftCopy(const recovery::LeftCopy& copy);
  // Reads the stored position and modes; returns the stored target.
  std::int16_t RestoreSettings();
  void StoreSettings();
  void UnloadAllForms();

  void AddToEntireList(const std::string& row);
  int FindRowByName(const platform::ListControl& list, std::string_view name) const;
  int FindInEntireList(std::string_view name) const;
  bool ValidateNewWaypoint(const waypoints::Waypoint& waypoint);
  void EnableGrabForTarget();
  int TargetApp() const { return c_.Combo_WhichApp->ListIndex(); }
  void PleaseOpen(std::string_view what);
  // The program the selected target stands for, as the user knows it.
  std::string_view TargetProgram() const;
  // Runs `command` in a conversation with `program`, or in the one already
  // under way when a command starts another (a jump from the recent list's
  // handling); the outermost tells the user once if the program stopped
  // answering.
  void WithTargetSession(std::string_view program, const std::function<void()>& command);
  void JumpToTarget();
  void PressButton(platform::WindowHandle button);
  void TypeIntoUSAPhotoMaps(platform::WindowHandle photo_maps, const std::string& longitude_keys);
  void Grab();
  // nullopt when the target did not answer.
  std::optional<std::string> ReadSource(platform::WindowHandle source);

  // Asks "Update ...?" when the list changed; false when the user said Yes
  // and the save did not happen, so the command that asked must stop.
  bool OfferToSaveChanges();
  // Save As; false when cancelled, refused or failed.
  bool SaveAs();
  // Writes a new file at `path` through `write`, which creates the file it
  // is given, and warns when that fails. The new file is complete on the
  // disk before anything old is touched, and at every moment the previous
  // contents are at `path` (or, with `keep_backup`, at its backup); a
  // failed write leaves them as they were.
  using FileWriter = std::function<platform::FileStatus(const std::string& path)>;
  bool WriteReplacing(const std::string& path, const FileWriter& write, bool keep_backup);
  // The list as a Marker file at `path`, keeping the file it replaces as
  // the backup. A missing file is written anew and the backup left alone.
  bool WriteDocument(const std::string& path);
  // True when nothing is at `path` or the user lets it be replaced.
  bool MayOverwrite(const std::string& path);
  // Why a file could not be written.
  enum class NotSaved {
    Missing, Denied, BackupDenied, InTheWay, Device, UnknownKind, NotWritten, LeftBeside
  };
  static NotSaved NotSavedFor(platform::FileStatus status, bool with_backup);
  static std::string_view NotSavedSentence(NotSaved why);
  void WarnNotSaved(const std::string& path, NotSaved why);
  std::optional<std::string> AskForFile(bool save);
  void WarnFileProblem(const std::string& path, std::string_view sentence);
  void MakeCurrentDocument(const std::string& path);
  void StartUntitledDocument();
  // Takes the rows over and lets them go once the list holds them.
  void FillEntireList(waypoints::RowBlock rows);
  // Rows just came in from a file: the entire list is the one shown.
  void ShowEntireList();

  void ImportFile(const std::string& path);
  void ExportTo(const std::string& path);
  bool PastePosition(std::string_view text, bool whole_text_only);

  void AddRecentFile(const std::string& path);
  void MoveRecentFileToTop(const std::string& path, std::int32_t index);
  std::string RecentCaption(std::int32_t index) const;

  platform::FormWindow& window_;
  Services services_;
  Controls c_{};
  // What c_.List_Entire points to: it takes back a failed command's
  // changes and keeps the steps of Undo and Redo.
  std::unique_ptr<UndoableList> entire_list_;
  recovery::RecoveryKeeper* recovery_ = nullptr;
  // What the recovery copy was last told, so that a command that changed
  // nothing writes nothing.
  std::optional<std::pair<std::uint64_t, std::string>> kept_;

  bool IsWide_ = true;
  bool IsUp_ = false;
  bool IsOnTop_ = false;
  DocumentState document_;
  std::int32_t MRULastIndex_ = -1;
  bool SuppressRecentJump_ = false;
  bool IsFirstREJump_ = true;
  bool unloading_ = false;
  // The command's conversation with its target program, while one runs.
  target::TargetSession* session_ = nullptr;
  int running_commands_ = 0;

  waypoints::Waypoint Cur_;
  std::string CurrentRow_;
  std::string LastRow_;
  std::string dialog_file_name_;  // offered again by the next file dialog
  std::string exchange_file_name_;  // the same for the import and export dialogs
  bool untitled_ = true;          // no file behind the list yet
};

}  // namespace tarvik::app
