#pragma once

#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <string>

#include "platform/memory/FakeDesktop.h"
#include "platform/memory/MemoryFormWindow.h"
#include "platform/memory/MemoryServices.h"
#include "tests/native/RouteEditorDesktop.h"
#include "transit/Form_RE_Transit.h"

namespace tarvik::transit {

using platform::memory::MemoryControl;
using platform::memory::MemoryFormWindow;
using platform::memory::MemorySettingsStore;

// The RE Transit window's logic on an in-memory tool window, settings store
// and desktop of other programs.
class TransitWindowTest : public ::testing::Test {
 protected:
  // A tool window's thin border and short caption bar, and no menu.
  static constexpr MemoryFormWindow::Frame kToolFrame{45, 330};
  static constexpr platform::Twips kFrameHeight = 2 * 45 + 330;

  Form_RE_Transit& Load() {
    form = std::make_unique<Form_RE_Transit>(
        *window, TransitServices{store, finder, [this] { return main_window_normal; }, &texts,
                                 [this] { return now; }});
    form->Form_Load();
    return *form;
  }
  // Closes the window and loads it again on a new window, as the Transit
  // button does after the user closed it.
  Form_RE_Transit& Reopen() {
    form->Form_Unload();
    form.reset();
    window = std::make_unique<MemoryFormWindow>(kToolFrame);
    return Load();
  }
  MemoryControl& Control(const char* name) { return window->Get(name); }
  std::string Text(const char* name) { return window->Get(name).Caption(); }
  std::string Stored(const char* key) { return store.Read("Settings", key).value_or("<none>"); }
  bool InfoShown() { return Control("Frame_Info").Visible(); }
  std::string Info() { return Text("Label_Info"); }
  // One tick of the window's timer.
  void Tick() { ASSERT_TRUE(window->FireTimer()) << "the timer is not running"; }

  std::unique_ptr<MemoryFormWindow> window = std::make_unique<MemoryFormWindow>(kToolFrame);
  MemorySettingsStore store;
  platform::memory::FakeDesktop desktop;
  target::Module1 finder{desktop};
  RouteEditorTexts texts;
  bool main_window_normal = true;
  // The clock that paces the tries of a Route Editor that does not answer.
  std::chrono::milliseconds now{0};
  std::unique_ptr<Form_RE_Transit> form;
};

}  // namespace tarvik::transit
