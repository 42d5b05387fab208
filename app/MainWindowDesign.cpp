#include "app/MainWindowDesign.h"

namespace tarvik::app {

using platform::ControlKind;
using platform::ControlDesign;
using platform::Glyph;
using platform::MenuDesign;

namespace {

ControlDesign Make(const char* name, ControlKind kind, const char* caption, const char* tooltip,
                 float left, float top, float width, float height, int tab,
                 Glyph glyph = Glyph::None) {
  ControlDesign layout;
  // A label fits its text whatever the desktop's font, rather than cutting
  // "Recent WP List" short.
  layout.auto_size = kind == ControlKind::Label;
  layout.name = name;
  layout.kind = kind;
  layout.caption = caption;
  layout.tooltip = tooltip;
  layout.rect = {left, top, width, height};
  layout.tab_index = tab;
  layout.glyph = glyph;
  // The roll bars span the window: rolled up, the name box and its label
  // would otherwise lie over the roll-down bar and take its clicks.
  layout.above_all = kind == ControlKind::PictureButton;
  return layout;
}

}  // namespace

const std::vector<ControlDesign>& MainWindowControls() {
  using K = ControlKind;
  static const std::vector<ControlDesign> controls = {
      Make("Label4", K::Label, "WP", "", 120, 0, 375, 255, 13),
      Make("Text_Waypoint", K::TextBox, "", "", 480, 0, 1695, 285, 0),
      Make("Label2", K::Label, "Lat:", "", 120, 360, 360, 255, 9),
      Make("Text_Latitude", K::TextBox, "", "", 480, 360, 1455, 285, 1),
      Make("Label3", K::Label, "Lon:", "", 120, 720, 375, 255, 19),
      Make("Text_Longitude", K::TextBox, "", "", 480, 720, 1455, 285, 2),
      Make("Command_ShowList", K::Button, "Show All WP List", "Show entire WP List.",
           120, 1080, 2175, 255, 17),
      Make("Label_Recent", K::Label, "Recent WP List", "", 480, 1320, 1215, 255, 16),
      Make("List_Recent", K::ListBox, "", "Recent waypoints. Click a WP to jump to it.",
           120, 1560, 2175, 1425, 3),
      Make("Label1", K::Label, "WP List", "", 2400, 0, 735, 255, 18),
      Make("List_Entire", K::ListBox, "", "Entire WP List. Click on a WP to jump to it.",
           2400, 240, 2175, 3765, 4),
      Make("Command_Grab", K::Button, "Grab", "Grab Waypoint from Camera window.",
           120, 3120, 615, 255, 5),
      Make("Command_New", K::Button, "Add", "Add Waypoint shown above.", 840, 3120, 615, 255, 6),
      Make("Command_Width", K::Button, "", "", 1560, 3120, 735, 255, 7),
      Make("Command_Last", K::Button, "Last", "Return To Last WP.", 120, 3480, 615, 255, 8),
      Make("Command_Delete", K::Button, "Delete", "Delete Waypoint shown above.",
           840, 3480, 615, 255, 10),
      Make("Command_Transit", K::Button, "Transit", "Open Transit window.",
           1560, 3480, 735, 255, 11),
      Make("Check_OnTop", K::CheckBox, "On Top", "Check to keep Qov Tarvik always on Top.",
           120, 3840, 855, 255, 12),
      Make("Combo_WhichApp", K::DropDownList, "", "", 1040, 3780, 1335, 315, 20),
      Make("Command_Rollup", K::PictureButton, "", "Roll Tarvik Form up.",
           0, 4080, 4695, 195, 14, Glyph::ArrowUp),
      Make("Command_RollDown", K::PictureButton, "", "Roll Tarvik Form down.",
           0, 0, 2415, 195, 15, Glyph::ArrowDown),
  };
  return controls;
}

const std::vector<MenuDesign>& MainWindowMenus() {
  static const std::vector<MenuDesign> menus = {
      {"Menu_File", "&File", "", false},
      {"Menu_FileNew", "&New", "Menu_File", false},
      {"Menu_FileOpen", "&Open", "Menu_File", false},
      {"Menu_FileSave", "&Save", "Menu_File", false},
      {"Menu_FileSaveAs", "Sav&e As", "Menu_File", false},
      {"Menu_FileImport", "&Import...", "Menu_File", false},
      {"Menu_FileExport", "E&xport...", "Menu_File", false},
      {"Menu_FileExit", "Exit", "Menu_File", false},
      {"Bar", "", "Menu_File", true},
      {"Menu_FileRecent_0", "Recent Files", "Menu_File", false, true},
      {"Menu_Edit", "&Edit", "", false},
      {"Menu_EditUndo", "&Undo", "Menu_Edit", false, false, {{'Z'}}},
      {"Menu_EditRedo", "&Redo", "Menu_Edit", false, false, {{'Y'}, {'Z', true}}},
      {"Menu_Help", "&Help", "", false},
      {"Menu_Manual", "&Manual", "Menu_Help", false},
      {"Menu_About", "&About", "Menu_Help", false},
  };
  return menus;
}

}  // namespace tarvik::app
