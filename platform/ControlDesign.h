#pragma once

#include <string>
#include <vector>

#include "platform/Twips.h"

namespace tarvik::platform {

enum class ControlKind {
  Label,
  TextBox,
  Button,
  PictureButton,  // a button that shows a small drawn glyph and no caption
  CheckBox,
  OptionButton,
  Frame,
  Image,  // the program icon, stretched to the control
  ListBox,
  DropDownList,
};

// The small pictures drawn on picture buttons.
enum class Glyph { None, ArrowUp, ArrowDown };

struct FontDesign {
  std::string face;  // empty: the window's default font
  float points = 0;
  bool bold = false;
};

// How a window's design describes one control: the creation values before
// any layout mode moves it.
struct ControlDesign {
  std::string name;
  ControlKind kind = ControlKind::Label;
  std::string caption;
  std::string tooltip;
  TwipsRect rect;
  int tab_index = 0;
  Glyph glyph = Glyph::None;
  FontDesign font;
  std::string parent;  // a frame's name, or empty for the client area
  bool group_start = false;  // first of a group of option buttons
  // A label takes the size of its text; an option or check box only grows
  // to fit its text.
  bool auto_size = false;
  bool default_button = false;  // Enter presses it
  bool cancel_button = false;   // Esc presses it
  bool info_colors = false;     // the system's tooltip colours, for a note to the user
  bool word_wrap = false;       // a label whose text wraps at its width
  bool covers_controls = false;  // a frame drawn over the controls it overlaps, not beneath
  bool spans_width = false;      // widened with the client area when it must grow
  // Above every other control whatever its tab index, for the mouse as for
  // the eye: a roll bar that other controls cross while the window is rolled up.
  bool above_all = false;
};

// A key pressed with Ctrl that chooses a menu entry from anywhere in its
// window but a text box, which keeps its own meaning of the keys.
struct MenuShortcut {
  char key;  // the letter, in upper case
  bool shift = false;
};

struct MenuDesign {
  std::string name;
  std::string caption;
  std::string parent;  // empty for an entry of the menu bar
  bool separator = false;
  bool literal = false;  // the caption is shown as it is: "&" is no access key
  std::vector<MenuShortcut> shortcuts = {};
};

}  // namespace tarvik::platform
