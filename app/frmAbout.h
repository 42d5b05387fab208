#pragma once

#include <functional>
#include <vector>

#include "platform/Control.h"
#include "platform/ControlDesign.h"
#include "platform/FormWindow.h"

namespace tarvik::app {

// The About box: title, version, what the program is for, and OK.
class frmAbout {
 public:
  static const std::vector<platform::ControlDesign>& Design();
  static constexpr platform::Twips kClientWidth = 5730;
  static constexpr platform::Twips kClientHeight = 2610;

  explicit frmAbout(platform::FormWindow& window);
  frmAbout(const frmAbout&) = delete;
  frmAbout& operator=(const frmAbout&) = delete;

  void Form_Load();
  void cmdOK_Click();

 private:
  platform::FormWindow& window_;
  platform::Control* lblTitle_ = nullptr;
  platform::Control* lblVersion_ = nullptr;
  platform::Control* lblDisclaimer_ = nullptr;
};

// The splash shown while the program starts.
class frmSplash {
 public:
  static const std::vector<platform::ControlDesign>& Design();
  static constexpr platform::Twips kClientWidth = 6000;
  static constexpr platform::Twips kClientHeight = 2340;

  explicit frmSplash(platform::FormWindow& window);
  frmSplash(const frmSplash&) = delete;
  frmSplash& operator=(const frmSplash&) = delete;

  void Form_Load();

 private:
  platform::Control* lblProductName_ = nullptr;
  platform::Control* lblVersion_ = nullptr;
};

}  // namespace tarvik::app
