// Stand-in for Mosaic, for the demo and the end-to-end tests. Switch:
// --hang-after-start[=SECONDS] (StartOptions.h).
#include <windows.h>

#include "standins/common/MessageLoop.h"
#include "standins/common/StartOptions.h"
#include "standins/mosaic/MosaicWindow.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR command_line, int) {
  using namespace tarvik::standins;
  const StartOptions options = ParseStartOptions(command_line ? command_line : L"");
  mosaic::MosaicWindow mosaic(options.log);
  if (!mosaic.Open()) return 1;
  HangIfAsked(options);
  return RunMessageLoop(DialogKeys::kNone);
}
