#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "app/Form_Tarvik.h"
#include "platform/memory/FakeDesktop.h"
#include "platform/memory/MemoryFiles.h"
#include "platform/memory/MemoryFormWindow.h"
#include "platform/memory/MemoryServices.h"
#include "platform/memory/MemoryXml.h"

namespace tarvik::app {

using platform::memory::MemoryFormWindow;
using platform::memory::MemorySettingsStore;
using platform::memory::ScriptedMessageBoxes;

// The main window's logic on in-memory controls, settings, files and dialogs.
class RecordingWindows : public ProgramWindows {
 public:
  void ShowAbout() override { ++about_shown; }
  void UnloadOtherForms() override { ++others_unloaded; }
  void ShowTransitWindow() override { ++transit_shown; }
  void HideTransitWindow() override { ++transit_hidden; }
  int about_shown = 0;
  int others_unloaded = 0;
  int transit_hidden = 0;
  int transit_shown = 0;
};

class MainWindowTest : public ::testing::Test {
 protected:
  MainWindowTest() = default;
  explicit MainWindowTest(MemoryFormWindow::Frame frame) : window(frame) {}

  Form_Tarvik& Load() {
    form = std::make_unique<Form_Tarvik>(
        window, Services{store, messages, system, windows, files, dialogs, finder, xml});
    form->Form_Load();
    return *form;
  }
  platform::memory::MemoryControl& Control(const char* name) { return window.Get(name); }
  platform::memory::MemoryList& List(const char* name) { return window.GetList(name); }
  std::string Stored(const char* key) { return store.Read("Settings", key).value_or("<none>"); }
  // The user types into the three entry boxes and presses Add.
  void AddWaypoint(const std::string& name, const std::string& latitude,
                   const std::string& longitude) {
    Control("Text_Waypoint").Type(name);
    Control("Text_Latitude").Type(latitude);
    Control("Text_Longitude").Type(longitude);
    Control("Command_New").Click();
  }
  // How many jumps ran: every jump first lets pending events through.
  int Jumps() const {
    int count = 0;
    for (const auto& event : system.events) count += event == "doevents";
    return count;
  }
  const ScriptedMessageBoxes::Shown& LastMessage() const { return messages.History().back(); }

  // A command that failed unexpectedly is reported in a warning, not as a
  // failed test: look for one at the end of every test that expects none.
  void TearDown() override {
    if (expect_command_failure) return;
    for (const auto& shown : messages.History()) {
      EXPECT_NE(shown.text.rfind("The command could not be completed", 0), 0u) << shown.text;
    }
  }
  bool expect_command_failure = false;

  MemoryFormWindow window;
  MemorySettingsStore store;
  ScriptedMessageBoxes messages;
  platform::memory::FakeSystem system;
  RecordingWindows windows;
  platform::memory::MemoryFiles files;
  platform::memory::MemoryXmlDocuments xml{files};
  platform::memory::ScriptedFileDialogs dialogs;
  platform::memory::FakeDesktop desktop;
  target::Module1 finder{desktop};
  std::unique_ptr<Form_Tarvik> form;
};

}  // namespace tarvik::app
