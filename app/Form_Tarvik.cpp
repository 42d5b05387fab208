#include "app/Form_Tarvik.h"

#include "app/AppInfo.h"
#include "app/MainWindowDesign.h"
#include "app/Settings.h"
#include "app/WindowPlacement.h"
#include "platform/ControlsByName.h"

namespace tarvik::app {

namespace {

constexpr platform::Twips kDefaultLeft = 1000;
constexpr platform::Twips kDefaultTop = 1000;
constexpr platform::Twips kOuterHeight = 4935;
constexpr platform::Twips kWideWidth = 4740;
constexpr platform::Twips kNarrowWidth = 2475;
constexpr platform::Twips kWideRollBarWidth = 4695;
constexpr platform::Twips kNarrowRollBarWidth = 2415;

constexpr std::int16_t kWidthWide = 1;
constexpr std::int16_t kWidthNarrow = 0;
constexpr std::int16_t kRollUp = 0;
constexpr std::int16_t kRollDown = 1;

}  // namespace

Form_Tarvik::Form_Tarvik(platform::FormWindow& window, Services services)
    : window_(window), services_(services) {
  CreateControls();
  WireHandlers();
  window_.OnCloseRequest(Guarded([this] { Form_Unload(0); }));
}

void Form_Tarvik::CreateControls() {
  platform::ControlsByName control(window_, MainWindowControls());
  auto list = [&](std::string_view name) { return control.List(name); };
  c_.Text_Waypoint = control("Text_Waypoint");
  c_.Text_Latitude = control("Text_Latitude");
  c_.Text_Longitude = control("Text_Longitude");
  c_.Command_ShowList = control("Command_ShowList");
  c_.Label_Recent = control("Label_Recent");
  c_.List_Recent = list("List_Recent");
  entire_list_ = std::make_unique<UndoableList>(*list("List_Entire"));
  c_.List_Entire = entire_list_.get();
  c_.Command_Grab = control("Command_Grab");
  c_.Command_New = control("Command_New");
  c_.Command_Width = control("Command_Width");
  c_.Command_Last = control("Command_Last");
  c_.Command_Delete = control("Command_Delete");
  c_.Command_Transit = control("Command_Transit");
  c_.Check_OnTop = control("Check_OnTop");
  c_.Combo_WhichApp = list("Combo_WhichApp");
  c_.Command_Rollup = control("Command_Rollup");
  c_.Command_RollDown = control("Command_RollDown");

  std::vector<std::pair<std::string, platform::MenuItem*>> menus;
  for (const auto& layout : MainWindowMenus()) {
    menus.emplace_back(layout.name, &window_.AddMenuItem(layout));
  }
  auto menu = [&](std::string_view name) -> platform::MenuItem* {
    for (auto& [n, m] : menus) {
      if (n == name) return m;
    }
    return nullptr;
  };
  c_.Menu_FileNew = menu("Menu_FileNew");
  c_.Menu_FileOpen = menu("Menu_FileOpen");
  c_.Menu_FileSave = menu("Menu_FileSave");
  c_.Menu_FileSaveAs = menu("Menu_FileSaveAs");
  c_.Menu_FileImport = menu("Menu_FileImport");
  c_.Menu_FileExport = menu("Menu_FileExport");
  c_.Menu_FileExit = menu("Menu_FileExit");
  c_.Menu_EditUndo = menu("Menu_EditUndo");
  c_.Menu_EditRedo = menu("Menu_EditRedo");
  c_.Bar = menu("Bar");
  c_.Menu_FileRecent.push_back(menu("Menu_FileRecent_0"));
  c_.Menu_Manual = menu("Menu_Manual");
  c_.Menu_About = menu("Menu_About");

  // The Recent Files group and its separator appear once a file is recorded.
  c_.Bar->SetVisible(false);
  c_.Menu_FileRecent[0]->SetVisible(false);

  for (const char* app : {"MSTS RE", "Mosaic", "USAPhotoMaps"}) c_.Combo_WhichApp->AddItem(app);
}

void Form_Tarvik::WireHandlers() {
  c_.List_Entire->OnClick(Guarded([this] { List_Entire_Click(); }));
  c_.List_Recent->OnClick(Guarded([this] { List_Recent_Click(); }));
  c_.Command_ShowList->OnClick(Guarded([this] { Command_ShowList_Click(); }));
  c_.Command_Grab->OnClick(Guarded([this] { Command_Grab_Click(); }));
  c_.Command_New->OnClick(Guarded([this] { Command_New_Click(); }));
  c_.Command_Width->OnClick(Guarded([this] { Command_Width_Click(); }));
  c_.Command_Last->OnClick(Guarded([this] { Command_Last_Click(); }));
  c_.Command_Delete->OnClick(Guarded([this] { Command_Delete_Click(); }));
  c_.Command_Transit->OnClick(Guarded([this] { Command_Transit_Click(); }));
  c_.Check_OnTop->OnClick(Guarded([this] { Check_OnTop_Click(); }));
  c_.Combo_WhichApp->OnClick(Guarded([this] { Combo_WhichApp_Click(); }));
  c_.Command_Rollup->OnClick(Guarded([this] { Command_Rollup_Click(); }));
  c_.Command_RollDown->OnClick(Guarded([this] { Command_RollDown_Click(); }));
  c_.Menu_FileNew->OnClick(Guarded([this] { Menu_FileNew_Click(); }));
  c_.Menu_FileOpen->OnClick(Guarded([this] { Menu_FileOpen_Click(); }));
  c_.Menu_FileSave->OnClick(Guarded([this] { Menu_FileSave_Click(); }));
  c_.Menu_FileSaveAs->OnClick(Guarded([this] { Menu_FileSaveAs_Click(); }));
  c_.Menu_FileImport->OnClick(Guarded([this] { Menu_FileImport_Click(); }));
  c_.Menu_FileExport->OnClick(Guarded([this] { Menu_FileExport_Click(); }));
  c_.Text_Waypoint->OnPaste(GuardedPaste([this](auto text) { return Text_Waypoint_Paste(text); }));
  c_.Text_Latitude->OnPaste(GuardedPaste([this](auto text) { return Text_Latitude_Paste(text); }));
  c_.Text_Longitude->OnPaste(
      GuardedPaste([this](auto text) { return Text_Longitude_Paste(text); }));
  c_.Menu_FileExit->OnClick(Guarded([this] { Menu_FileExit_Click(); }));
  c_.Menu_EditUndo->OnClick(Guarded([this] { Menu_EditUndo_Click(); }));
  c_.Menu_EditRedo->OnClick(Guarded([this] { Menu_EditRedo_Click(); }));
  c_.Menu_FileRecent[0]->OnClick(Guarded([this] { Menu_FileRecent_Click(0); }));
  c_.Menu_Manual->OnClick(Guarded([this] { Menu_Manual_Click(); }));
  c_.Menu_About->OnClick(Guarded([this] { Menu_About_Click(); }));
  window_.OnFilesDropped(
      [this](const auto& paths) { RunGuarded([&] { Form_DropFiles(paths); }); });
}

void Form_Tarvik::Form_Load() {
  MRULastIndex_ = -1;
  LoadRecentFiles();

  c_.Command_Delete->SetEnabled(false);
  c_.Command_Last->SetEnabled(false);

  StartUntitledDocument();

  std::int16_t which_app = RestoreSettings();
  ApplyWidthMode(IsWide_ ? kWidthWide : kWidthNarrow);
  // After the width mode, which sets the outer height.
  ApplyRollMode(IsUp_ ? kRollUp : kRollDown);
  KeepOnScreen(window_);

  if (IsOnTop_) {
    c_.Check_OnTop->SetValue(1);
    window_.SetTopmost(true);
  }
  // Selecting the item runs the target selector.
  c_.Combo_WhichApp->SetListIndex(which_app >= 0 && which_app <= 2 ? which_app : 0);

  ClearLists();
  c_.Menu_FileSave->SetEnabled(false);
  IsFirstREJump_ = true;
  SuppressRecentJump_ = false;
  ShowEditMenu();
}

std::int16_t Form_Tarvik::RestoreSettings() {
  const auto& store = services_.settings;
  window_.SetLeft(ReadSingle(store, kSettingsSection, "MainLeft", kDefaultLeft));
  window_.SetTop(ReadSingle(store, kSettingsSection, "MainTop", kDefaultTop));
  IsWide_ = ReadBoolean(store, kSettingsSection, "IsWide", true);
  IsUp_ = ReadBoolean(store, kSettingsSection, "IsUp", false);
  IsOnTop_ = ReadBoolean(store, kSettingsSection, "IsOnTop", false);
  return ReadInteger(store, kSettingsSection, "WhichApp", 0);
}

void Form_Tarvik::ApplyWidthMode(std::int16_t mode) {
  if (mode == kWidthWide) {
    c_.Command_ShowList->SetVisible(false);
    window_.SetHeight(kOuterHeight);
    window_.SetWidth(kWideWidth);
    c_.Command_RollDown->SetWidth(kWideRollBarWidth);
    c_.Command_Rollup->SetWidth(kWideRollBarWidth);
    c_.List_Entire->SetTop(240);
    c_.List_Entire->SetLeft(2400);
    c_.List_Entire->SetHeight(3765);
    c_.List_Entire->SetVisible(true);
    c_.List_Recent->SetTop(1320);
    c_.List_Recent->SetHeight(1620);
    c_.List_Recent->SetVisible(true);
    c_.Label_Recent->SetTop(1080);
    c_.Command_Width->SetCaption("Narrow");
    c_.Command_Width->SetToolTip("Click to use Narrow mode.");
    IsWide_ = true;
    return;
  }
  window_.SetHeight(kOuterHeight);
  c_.List_Entire->SetTop(1320);
  c_.List_Entire->SetLeft(120);
  c_.List_Entire->SetHeight(1620);
  c_.List_Entire->SetVisible(true);
  c_.List_Recent->SetTop(1560);
  c_.List_Recent->SetHeight(1425);
  c_.List_Recent->SetVisible(false);
  c_.Label_Recent->SetTop(1320);
  c_.Command_ShowList->SetVisible(true);
  c_.Command_ShowList->SetCaption("Show Recent List");
  c_.Command_RollDown->SetWidth(kNarrowRollBarWidth);
  c_.Command_Rollup->SetWidth(kNarrowRollBarWidth);
  c_.Command_Width->SetCaption("Wide");
  c_.Command_Width->SetToolTip("Click to use Wide mode.");
  window_.SetWidth(kNarrowWidth);
  IsWide_ = false;
}

void Form_Tarvik::ApplyRollMode(std::int16_t mode) {
  if (mode != kRollUp && mode != kRollDown) return;
  // The frame (title bar, menu bar, borders) is measured from the window as
  // it stands, so the client area comes out exact on any desktop theme.
  float border = (window_.Width() - window_.ClientWidth()) / 2;
  float title_and_menu =
      (window_.Height() - window_.ClientHeight()) - (window_.Width() - window_.ClientWidth());
  float frame = title_and_menu + 2 * border;
  if (mode == kRollUp) {
    c_.Command_RollDown->SetVisible(true);
    window_.SetHeight(frame + c_.Command_RollDown->Height());
    IsUp_ = true;
  } else {
    c_.Command_RollDown->SetVisible(false);
    window_.SetHeight(frame + c_.Command_Rollup->Top() + c_.Command_Rollup->Height());
    IsUp_ = false;
  }
}

void Form_Tarvik::Command_Width_Click() { ApplyWidthMode(IsWide_ ? kWidthNarrow : kWidthWide); }

void Form_Tarvik::Command_Rollup_Click() { ApplyRollMode(kRollUp); }

void Form_Tarvik::Command_RollDown_Click() { ApplyRollMode(kRollDown); }

void Form_Tarvik::Command_ShowList_Click() {
  if (IsWide_) return;
  if (c_.List_Entire->Visible()) {
    c_.List_Entire->SetVisible(false);
    c_.List_Recent->SetVisible(true);
    c_.Command_ShowList->SetCaption("Show Entire List");
  } else {
    ShowEntireList();
  }
}

void Form_Tarvik::ShowEntireList() {
  c_.List_Entire->SetVisible(true);
  // In narrow mode the two lists share one place.
  if (!IsWide_) c_.List_Recent->SetVisible(false);
  c_.Command_ShowList->SetCaption("Show Recent List");
}

void Form_Tarvik::Check_OnTop_Click() {
  IsOnTop_ = c_.Check_OnTop->Value() == 1;
  window_.SetTopmost(IsOnTop_);
}

void Form_Tarvik::Menu_FileExit_Click() { Form_Unload(0); }

void Form_Tarvik::Form_Unload(std::int16_t /*cancel*/) {
  // Exit runs this sequence and then closes the window, which must not ask
  // the Update question a second time.
  if (unloading_) return;
  unloading_ = true;

  // Closing always goes on, whatever became of the save.
  const bool nothing_to_keep = OfferToSaveChanges();
  if (!window_.IsMinimized()) StoreSettings();
  SaveRecentFiles();
  UnloadAllForms();
  // A save the user asked for that did not happen leaves the copy of the
  // changes for the next start.
  if (recovery_) recovery_->Finish(!nothing_to_keep);
}

void Form_Tarvik::StoreSettings() {
  auto& store = services_.settings;
  WriteBoolean(store, kSettingsSection, "IsWide", IsWide_);
  WriteBoolean(store, kSettingsSection, "IsUp", IsUp_);
  WriteBoolean(store, kSettingsSection, "IsOnTop", IsOnTop_);
  WriteSingle(store, kSettingsSection, "MainLeft", window_.Left());
  WriteSingle(store, kSettingsSection, "MainTop", window_.Top());
  WriteInteger(store, kSettingsSection, "WhichApp",
               static_cast<std::int16_t>(c_.Combo_WhichApp->ListIndex()));
}

void Form_Tarvik::UnloadAllForms() {
  services_.windows.UnloadOtherForms();
  window_.Destroy();
}

void Form_Tarvik::Menu_Manual_Click() {
  std::string folder = services_.system.ProgramFolder();
  long result = services_.system.ShellOpen(folder + "\\Manual\\manual.html", folder);
  if (result <= 32) services_.messages.Inform("Can't open the Manual!", kAppTitle);
}

void Form_Tarvik::Menu_About_Click() { services_.windows.ShowAbout(); }

void Form_Tarvik::Command_Transit_Click() { services_.windows.ShowTransitWindow(); }

}  // namespace tarvik::app
