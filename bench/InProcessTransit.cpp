#include "bench/InProcessTransit.h"

namespace tarvik::bench {

namespace {

using platform::win32::WindowOptions;

// Classes of the benchmark's own, so that nothing takes its window for
// tarvik.exe's.
constexpr const wchar_t* kOwnerClass = L"TransitBenchOwner";
constexpr const wchar_t* kTransitClass = L"TransitBenchWindow";

WindowOptions OwnerOptions() {
  WindowOptions options;
  options.class_name = kOwnerClass;
  options.style = WS_POPUP;
  options.icon = false;
  return options;
}

// As TarvikApp::Transit() makes the program's window; this program has no
// icon resource to load.
WindowOptions TransitOptions(HWND owner) {
  WindowOptions options;
  options.class_name = kTransitClass;
  options.style = WS_POPUP | WS_CAPTION | WS_SYSMENU;
  options.ex_style = WS_EX_TOOLWINDOW;
  options.owner = owner;
  options.icon = false;
  return options;
}

}  // namespace

InProcessTransit::InProcessTransit()
    : owner_(OwnerOptions()),
      window_(TransitOptions(owner_.Handle())),
      transit_(window_,
               transit::TransitServices{settings_, finder_, [] { return true; }, nullptr, {}}) {
  transit_.Form_Load();
  transit_.Open();
  // The first pass after opening clears the boxes and starts the timer.
  Pass();
  // The benchmark runs the passes itself. A pass on a crowded desktop takes
  // longer than the timer's interval, so the timer would add a pass of its
  // own to every wait for messages.
  window_.SetTimerEnabled(false);
}

InProcessTransit::~InProcessTransit() {
  // As the program's closing sequence does; the settings go to memory.
  transit_.Form_Unload();
}

void InProcessTransit::PumpAndPaint() {
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  UpdateWindow(window_.Handle());
}

}  // namespace tarvik::bench
