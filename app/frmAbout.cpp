#include "app/frmAbout.h"

#include <string_view>

#include "app/AppInfo.h"

namespace tarvik::app {

using platform::ControlKind;
using platform::ControlDesign;

namespace {

ControlDesign Make(const char* name, ControlKind kind, const char* caption, float left, float top,
                 float width, float height, int tab) {
  ControlDesign layout;
  layout.name = name;
  layout.kind = kind;
  layout.caption = caption;
  layout.rect = {left, top, width, height};
  layout.tab_index = tab;
  return layout;
}

ControlDesign WithFont(ControlDesign layout, float points, bool bold) {
  layout.font = {"Arial", points, bold};
  return layout;
}

platform::Control* Find(const std::vector<ControlDesign>& design, std::string_view name,
                        const std::vector<platform::Control*>& created) {
  for (size_t i = 0; i < design.size(); ++i) {
    if (design[i].name == name) return created[i];
  }
  return nullptr;
}

std::vector<platform::Control*> CreateAll(platform::FormWindow& window,
                                          const std::vector<ControlDesign>& design) {
  std::vector<platform::Control*> created;
  for (const auto& layout : design) created.push_back(&window.AddControl(layout));
  return created;
}

}  // namespace

const std::vector<ControlDesign>& frmAbout::Design() {
  static const std::vector<ControlDesign> design = [] {
    ControlDesign ok = Make("cmdOK", ControlKind::Button, "OK", 4320, 2100, 1260, 375, 0);
    ok.default_button = true;
    ok.cancel_button = true;
    ControlDesign title = WithFont(Make("lblTitle", ControlKind::Label, "Application Title",
                                      1050, 240, 4530, 480, 1), 14, true);
    return std::vector<ControlDesign>{
        ok,
        Make("picIcon", ControlKind::Image, "", 240, 240, 540, 540, 2),
        title,
        Make("lblVersion", ControlKind::Label, "Version", 1050, 780, 4530, 255, 3),
        Make("lblDescription", ControlKind::Label, "Navigation tool for MSTS Route Editor.",
             1050, 1125, 4530, 510, 4),
        Make("lblDisclaimer", ControlKind::Label, "", 240, 2100, 3900, 375, 5),
    };
  }();
  return design;
}

frmAbout::frmAbout(platform::FormWindow& window) : window_(window) {
  auto created = CreateAll(window, Design());
  lblTitle_ = Find(Design(), "lblTitle", created);
  lblVersion_ = Find(Design(), "lblVersion", created);
  lblDisclaimer_ = Find(Design(), "lblDisclaimer", created);
  Find(Design(), "cmdOK", created)->OnClick([this] { cmdOK_Click(); });
  window_.OnCloseRequest([this] { cmdOK_Click(); });
}

void frmAbout::Form_Load() {
  window_.SetCaption(std::string("About ") + kAppTitle);
  lblVersion_->SetCaption(VersionText());
  lblTitle_->SetCaption(kAppTitle);
  lblDisclaimer_->SetCaption(kCopyright);
  // Above the main window even when that one is kept on top.
  window_.SetTopmost(true);
}

void frmAbout::cmdOK_Click() { window_.Destroy(); }

const std::vector<ControlDesign>& frmSplash::Design() {
  static const std::vector<ControlDesign> design = [] {
    ControlDesign product = WithFont(
        Make("lblProductName", ControlKind::Label, "Product", 840, 360, 1560, 480, 1), 20.25f, true);
    product.auto_size = true;
    product.parent = "Frame1";
    ControlDesign version = WithFont(
        Make("lblVersion", ControlKind::Label, "Version", 240, 960, 1965, 285, 2), 12, true);
    version.auto_size = true;
    version.parent = "Frame1";
    ControlDesign copyright = WithFont(
        Make("lblCopyright", ControlKind::Label, kCopyright, 120, 1320, 2415, 255, 3), 8.25f, false);
    copyright.parent = "Frame1";
    ControlDesign logo = Make("imgLogo", ControlKind::Image, "", 240, 240, 495, 585, 4);
    logo.parent = "Frame1";
    return std::vector<ControlDesign>{
        Make("Frame1", ControlKind::Frame, "", 120, 0, 5745, 2250, 0), logo, product, version,
        copyright,
    };
  }();
  return design;
}

frmSplash::frmSplash(platform::FormWindow& window) {
  auto created = CreateAll(window, Design());
  lblProductName_ = Find(Design(), "lblProductName", created);
  lblVersion_ = Find(Design(), "lblVersion", created);
}

void frmSplash::Form_Load() {
  lblVersion_->SetCaption(VersionText());
  lblProductName_->SetCaption(kAppTitle);
}

}  // namespace tarvik::app
