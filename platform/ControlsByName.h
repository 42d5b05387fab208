#pragma once

#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "platform/ControlDesign.h"
#include "platform/FormWindow.h"

namespace tarvik::platform {

// Creates a window's controls from its design table and finds them again by
// name, so that a window's logic can keep typed pointers to its controls.
class ControlsByName {
 public:
  ControlsByName(FormWindow& window, const std::vector<ControlDesign>& design) {
    for (const auto& layout : design) {
      bool is_list = layout.kind == ControlKind::ListBox || layout.kind == ControlKind::DropDownList;
      controls_[layout.name] = is_list ? &window.AddList(layout) : &window.AddControl(layout);
    }
  }

  Control* operator()(std::string_view name) const {
    auto found = controls_.find(std::string(name));
    return found == controls_.end() ? nullptr : found->second;
  }
  // A list box or drop-down list of the design.
  ListControl* List(std::string_view name) const { return static_cast<ListControl*>((*this)(name)); }

 private:
  std::map<std::string, Control*> controls_;
};

}  // namespace tarvik::platform
