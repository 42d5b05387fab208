#include "app/win32/TarvikApp.h"

#include <chrono>

#include "app/AppInfo.h"
#include "app/StartArguments.h"
#include "app/win32/WindowClasses.h"
#include "platform/win32/Win32CommandLine.h"

namespace tarvik::app::win32 {

using platform::win32::Win32FormWindow;
using platform::win32::WindowOptions;

namespace {

constexpr int kSplashMilliseconds = 2000;

WindowOptions HiddenOwnerOptions() {
  WindowOptions options;
  options.class_name = kOwnerClass;
  options.style = WS_POPUP;
  options.icon = false;
  return options;
}

}  // namespace

TarvikApp::TarvikApp()
    : settings_(kAppTitle),
      system_([this](MSG& message) { return PreTranslate(message); }) {}

int TarvikApp::StartUp(const std::vector<std::string>& arguments) {
  ShowSplashFor2Seconds();
  ShowMainWindow();
  // Before the command line's file, which then asks whether to save what
  // was restored.
  main_->OfferLeftCopies(std::move(left_copies_), recovery_folder_);
  if (auto file = FileToOpenAtStart(arguments)) {
    main_->OpenDocumentFile(platform::win32::FullPathName(*file));
  }
  return RunMessageLoop();
}

void TarvikApp::ShowSplashFor2Seconds() {
  WindowOptions options;
  options.class_name = kSplashClass;
  options.style = WS_POPUP | WS_DLGFRAME;
  // A tool window stays out of the taskbar; without a caption it looks the same.
  options.ex_style = WS_EX_TOOLWINDOW;
  options.icon = false;
  Win32FormWindow window(options);
  frmSplash splash(window);
  splash.Form_Load();
  window.SetClientSize(frmSplash::kClientWidth, frmSplash::kClientHeight);
  window.CenterOnScreen();
  // The two seconds are the user's: they count from the moment the splash
  // comes on the screen, so its showing and painting are part of them.
  using std::chrono::milliseconds;
  using std::chrono::steady_clock;
  const auto wait_end = steady_clock::now() + milliseconds(kSplashMilliseconds);
  window.Show();
  // Paint once; the splash is not repainted while the thread sleeps.
  system_.DoEvents();
  // The main window is made and loaded, hidden, and the copies of unsaved
  // work that earlier runs left are read, in the splash's wait, which then
  // sleeps only what is left of it. Nothing Form_Load does shows on a
  // hidden window, so the user sees the same: the splash goes, then the
  // main window comes as loaded.
  CreateMainWindow();
  left_copies_ = recovery_folder_.TakeLeftCopies();
  const auto left = std::chrono::ceil<milliseconds>(wait_end - steady_clock::now());
  if (left.count() > 0) system_.Sleep(static_cast<int>(left.count()));
  window.Destroy();
}

void TarvikApp::CreateMainWindow() {
  WindowOptions options;
  options.class_name = kMainClass;
  main_window_ = std::make_unique<Win32FormWindow>(options);
  main_window_->OnDestroyed([this] {
    messages_.SetMainWindow(nullptr);
    PostQuitMessage(0);
  });
  messages_.SetMainWindow(main_window_->Handle());
  main_ = std::make_unique<Form_Tarvik>(*main_window_,
                                        Services{settings_, messages_, system_, *this, files_,
                                                 dialogs_, finder_, xml_});
  main_->KeepRecoveryCopyWith(&recovery_keeper_);
  main_->Form_Load();
}

void TarvikApp::ShowMainWindow() { main_window_->Show(); }

void TarvikApp::ShowAbout() {
  if (about_window_ && about_window_->Alive()) {
    ShowWindow(about_window_->Handle(), SW_SHOWNORMAL);
    SetForegroundWindow(about_window_->Handle());
    return;
  }
  // A closed box is rebuilt afresh; the old one's window is already gone.
  about_.reset();
  WindowOptions options;
  options.class_name = kAboutClass;
  options.style = WS_POPUP | WS_CAPTION | WS_SYSMENU;
  options.ex_style = WS_EX_DLGMODALFRAME;
  if (!hidden_owner_) hidden_owner_ = std::make_unique<Win32FormWindow>(HiddenOwnerOptions());
  options.owner = hidden_owner_->Handle();
  about_window_ = std::make_unique<Win32FormWindow>(options);
  about_ = std::make_unique<frmAbout>(*about_window_);
  about_->Form_Load();
  about_window_->SetClientSize(frmAbout::kClientWidth, frmAbout::kClientHeight);
  about_window_->CenterOnScreen();
  about_window_->Show();
  SetForegroundWindow(about_window_->Handle());
}

void TarvikApp::UnloadOtherForms() {
  if (transit_ && !transit_->Unloaded()) transit_->Form_Unload();
  if (about_window_ && about_window_->Alive()) about_window_->Destroy();
}

transit::Form_RE_Transit& TarvikApp::Transit() {
  if (transit_ && !transit_->Unloaded()) return *transit_;
  // A closed window is built afresh; the old one's window is already gone.
  transit_.reset();
  WindowOptions options;
  options.class_name = kTransitClass;
  options.style = WS_POPUP | WS_CAPTION | WS_SYSMENU;
  options.ex_style = WS_EX_TOOLWINDOW;
  options.owner = main_window_->Handle();
  transit_window_ = std::make_unique<Win32FormWindow>(options);
  transit_window_->SetCaption("RE Transit");
  transit_ = std::make_unique<transit::Form_RE_Transit>(
      *transit_window_,
      transit::TransitServices{settings_, finder_, [this] { return main_window_->IsNormal(); },
                               &route_editor_texts_, {}});
  transit_->Form_Load();
  return *transit_;
}

void TarvikApp::ShowTransitWindow() { Transit().Open(); }

void TarvikApp::HideTransitWindow() { Transit().HideAndStop(); }

bool TarvikApp::PreTranslate(MSG& message) {
  for (auto* window : {about_window_.get(), transit_window_.get(), main_window_.get()}) {
    if (window && window->Alive() && window->PreTranslate(message)) return true;
  }
  return false;
}

int TarvikApp::RunMessageLoop() {
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) system_.Dispatch(message);
  return static_cast<int>(message.wParam);
}

}  // namespace tarvik::app::win32
