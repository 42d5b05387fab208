#include "transit/TransitWindowDesign.h"

namespace tarvik::transit {

using platform::ControlKind;
using platform::ControlDesign;
using platform::Glyph;

namespace {

ControlDesign Make(const char* name, ControlKind kind, const char* caption, const char* tooltip,
                 float left, float top, float width, float height, int tab) {
  ControlDesign layout;
  // Texts fit whatever the desktop's font; the window grows when they do.
  layout.auto_size = kind == ControlKind::Label || kind == ControlKind::OptionButton ||
                     kind == ControlKind::CheckBox;
  layout.name = name;
  layout.kind = kind;
  layout.caption = caption;
  layout.tooltip = tooltip;
  layout.rect = {left, top, width, height};
  layout.tab_index = tab;
  return layout;
}

ControlDesign RollBar(const char* name, const char* tooltip, float top, int tab, Glyph glyph) {
  ControlDesign layout = Make(name, ControlKind::PictureButton, "", tooltip, 0, top, 1935, 195, tab);
  layout.glyph = glyph;
  layout.spans_width = true;
  layout.above_all = true;
  return layout;
}

ControlDesign Option(const char* name, const char* caption, const char* tooltip, float left,
                   float top, float width, float height, int tab, bool first_of_group,
                   const char* frame = "") {
  ControlDesign layout = Make(name, ControlKind::OptionButton, caption, tooltip, left, top, width,
                          height, tab);
  layout.group_start = first_of_group;
  layout.parent = frame;
  return layout;
}

// The note that covers the six rows while something is missing.
ControlDesign InfoFrame() {
  ControlDesign layout = Make("Frame_Info", ControlKind::Frame, "", "", 0, 240, 1935, 2175, 28);
  layout.info_colors = true;
  layout.covers_controls = true;
  layout.spans_width = true;
  return layout;
}

ControlDesign InfoLabel() {
  ControlDesign layout = Make("Label_Info", ControlKind::Label,
                          "For Transit to work correctly, the Route Editor's Placement, Camera, "
                          "and Object Windows must be Open and Rolled Down.",
                          "", 120, 120, 1575, 1815, 29);
  layout.auto_size = false;
  layout.spans_width = true;
  layout.word_wrap = true;
  layout.info_colors = true;
  layout.parent = "Frame_Info";
  return layout;
}

}  // namespace

const std::vector<ControlDesign>& TransitWindowControls() {
  using K = ControlKind;
  static const std::vector<ControlDesign> controls = {
      RollBar("Command_RollDown", "Roll Transit Form down.", 0, 14, Glyph::ArrowDown),
      Make("Label2", K::Label, "Placement Position is:", "", 120, 0, 1695, 255, 15),
      Make("Text_DX", K::TextBox, "TextDX", "East/West measurement.", 120, 240, 855, 285, 0),
      Make("DXLabel", K::Label, "DXLabel", "", 1080, 240, 855, 255, 16),
      Make("Text_DZ", K::TextBox, "TextDZ", "North/South measurement.", 120, 600, 855, 285, 1),
      Make("DZLabel", K::Label, "DZLabel", "", 1080, 600, 855, 255, 17),
      Make("Text_DY", K::TextBox, "TextDY", "Vertical measurement.", 120, 960, 855, 285, 2),
      Make("DYLabel", K::Label, "DYLabel", "", 1080, 960, 855, 255, 18),
      Make("Text_Horizontal", K::TextBox, "TextHorizontal", "Absoulte horizontal measurement.",
           120, 1320, 855, 285, 3),
      Make("HorizLabel", K::Label, "XY Dist.", "", 1080, 1320, 1095, 255, 19),
      Make("Text_Absolute", K::TextBox, "TextAbsolute", "Absoulte 3D measurement.", 120, 1680,
           855, 285, 4),
      Make("AbsoluteLabel", K::Label, "XYZ Dist.", "Absolute 3D measurement.", 1080, 1680, 975,
           255, 20),
      Make("TextBearing", K::TextBox, "TextBearing", "Bearing in degrees.", 120, 2040, 855, 285, 5),
      Make("BearingLabel", K::Label, "at Bearing", "", 1080, 2040, 975, 255, 21),
      InfoFrame(),
      InfoLabel(),
      Option("Option_WRT_0", "WRT The Object",
             "Measure with respect to the selected Object position.", 120, 2400, 1695, 255, 6,
             true),
      Option("Option_WRT_1", "WRT The Camera", "Measure with respect to the Camera position.",
             120, 2640, 1695, 255, 7, false),
      Make("Frame1", K::Frame, "", "", 0, 2880, 1815, 375, 22),
      Option("Option_Units_0", "Meters", "Measure distances in meters.", 120, 120, 855, 195, 8,
             true, "Frame1"),
      Option("Option_Units_1", "Feet", "Measure distances in feet.", 960, 120, 735, 195, 9, false,
             "Frame1"),
      Make("Label1", K::Label, "lat:", "", 120, 3360, 255, 255, 23),
      Make("TextLatitude", K::TextBox, "", "Latitude of the placement position.", 400, 3360,
           1350, 285, 10),
      Make("Label3", K::Label, "lon:", "", 120, 3660, 255, 255, 24),
      Make("TextLongitude", K::TextBox, "", "Longitude of the placement position.", 400, 3660,
           1350, 285, 11),
      Make("Check_OnTop", K::CheckBox, "OnTop", "Check to keep RE Transit always on Top.", 120,
           3960, 855, 255, 12),
      RollBar("Command_Rollup", "Roll Transit Form up.", 4200, 13, Glyph::ArrowUp),
  };
  return controls;
}

}  // namespace tarvik::transit
