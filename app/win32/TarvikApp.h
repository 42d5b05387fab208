#pragma once

#include <memory>
#include <string>
#include <vector>

#include "app/Form_Tarvik.h"
#include "app/ProgramWindows.h"
#include "app/frmAbout.h"
#include "platform/win32/RegistrySettingsStore.h"
#include "platform/win32/Win32FileDialogs.h"
#include "platform/win32/Win32Files.h"
#include "platform/win32/Win32RecoveryPlace.h"
#include "platform/win32/Win32FormWindow.h"
#include "platform/win32/Win32MessageBoxes.h"
#include "platform/win32/Win32System.h"
#include "platform/win32/Win32WindowSystem.h"
#include "platform/win32/XmlLiteDocuments.h"
#include "target/Module1.h"
#include "transit/Form_RE_Transit.h"
#include "transit/RouteEditorTexts.h"

namespace tarvik::app::win32 {

// The process: start-up, the program's windows, and the message loop that
// runs until the main window is gone.
class TarvikApp final : public ProgramWindows {
 public:
  TarvikApp();
  TarvikApp(const TarvikApp&) = delete;
  TarvikApp& operator=(const TarvikApp&) = delete;

  // Splash, main window, the Marker file the command line names, then
  // events until the program ends; the exit code. `arguments` is the
  // command line, the program's own path first.
  int StartUp(const std::vector<std::string>& arguments);

  void ShowAbout() override;
  void UnloadOtherForms() override;
  void ShowTransitWindow() override;
  void HideTransitWindow() override;

 private:
  // Makes and loads the main window meanwhile, hidden.
  void ShowSplashFor2Seconds();
  void CreateMainWindow();
  // Loads the RE Transit window unless it is loaded.
  transit::Form_RE_Transit& Transit();
  void ShowMainWindow();
  bool PreTranslate(MSG& message);
  int RunMessageLoop();

  platform::win32::RegistrySettingsStore settings_;
  platform::win32::Win32MessageBoxes messages_;
  platform::win32::Win32System system_;
  platform::win32::Win32Files files_;
  platform::win32::Win32FileDialogs dialogs_;
  platform::win32::XmlLiteDocuments xml_{files_};
  platform::win32::Win32RecoveryPlace recovery_place_;
  // Outlives the main window, whose last command hands it the list.
  waypoints::recovery::RecoveryKeeper recovery_keeper_{recovery_place_, files_};
  waypoints::recovery::RecoveryFolder recovery_folder_{recovery_place_, files_};
  // Read during the splash's wait, offered once the main window shows.
  waypoints::recovery::LeftCopies left_copies_;
  platform::win32::Win32WindowSystem other_windows_;
  target::Module1 finder_{other_windows_};
  // Owns the About box so that it does not show in the taskbar.
  std::unique_ptr<platform::win32::Win32FormWindow> hidden_owner_;
  std::unique_ptr<platform::win32::Win32FormWindow> main_window_;
  std::unique_ptr<Form_Tarvik> main_;
  std::unique_ptr<platform::win32::Win32FormWindow> about_window_;
  std::unique_ptr<frmAbout> about_;
  // What the Route Editor showed, kept for the run across Transit windows.
  transit::RouteEditorTexts route_editor_texts_;
  std::unique_ptr<platform::win32::Win32FormWindow> transit_window_;
  std::unique_ptr<transit::Form_RE_Transit> transit_;
};

}  // namespace tarvik::app::win32
