#pragma once

#include <windows.h>

#include "platform/memory/MemoryServices.h"
#include "platform/win32/Win32FormWindow.h"
#include "platform/win32/Win32WindowSystem.h"
#include "target/Module1.h"
#include "transit/Form_RE_Transit.h"

// An RE Transit window in the benchmark's own process, built as
// TarvikApp::Transit() builds the program's, with its settings in memory so
// that the registry is left alone.
namespace tarvik::bench {

class InProcessTransit {
 public:
  // Loads the window, opens it as the Transit button does, and runs the
  // first pass; the window's timer is left stopped.
  InProcessTransit();
  ~InProcessTransit();
  InProcessTransit(const InProcessTransit&) = delete;
  InProcessTransit& operator=(const InProcessTransit&) = delete;

  // One measuring pass.
  void Pass() { transit_.MeasurePlacement(); }
  // Handles every waiting message, the window's timer and painting included.
  void PumpAndPaint();

  HWND Window() const { return window_.Handle(); }
  const target::Module1& Finder() const { return finder_; }
  const transit::RouteEditorTexts& Texts() const { return transit_.Texts(); }

 private:
  platform::memory::MemorySettingsStore settings_;
  platform::win32::Win32WindowSystem windows_;
  target::Module1 finder_{windows_};
  // Stands in for the main window, which owns the real Transit window.
  platform::win32::Win32FormWindow owner_;
  platform::win32::Win32FormWindow window_;
  transit::Form_RE_Transit transit_;
};

}  // namespace tarvik::bench
